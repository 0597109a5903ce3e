#pragma once
// What every chronograph importer promises, whatever the bytes: an error or series, never
// both; shots with finite velocities in f/s or m/s; the CFile text has one tag line a series.
#include "fuzz/fuzz_support.h"
#include "import/import_cfile.h"
#include "import/import_types.h"

#include <cmath>

namespace zx::fuzz {

inline void checkImport(const import::ImportResult &r)
{
    ZX_FUZZ_CHECK(r.ok() || r.series.empty());
    for (const import::ImportedSeries &s : r.series) {
        ZX_FUZZ_CHECK(!s.shots.empty());
        ZX_FUZZ_CHECK(s.velocityUnit == QLatin1String("f/s") || s.velocityUnit == QLatin1String("m/s"));
        for (const import::ImportedShot &shot : s.shots)
            ZX_FUZZ_CHECK(std::isfinite(shot.velocity));
    }
    const QString text = import::cfileText(r, QStringLiteral("input"));
    ZX_FUZZ_CHECK(text.count(QLatin1String("\r\nTAG: Import-{")) == qsizetype(r.series.size()));
}

} // namespace zx::fuzz
