#include "import/chrono_import.h"

#include "import/csv_text.h"
#include "import/fit_reader.h"
#include "import/labradar.h"
#include "import/magnetospeed.h"
#include "import/prochrono.h"
#include "import/shotview.h"

#include <QFile>

namespace zx::import {

Format detectFormat(const QByteArray &head)
{
    if (looksLikeFit(head))
        return Format::Fit;
    if (head.startsWith("PK\x03\x04"))
        return Format::ShotViewXlsx;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) // OLE2 compound file: Excel 97
        return Format::ShotViewXls;
    const std::vector<TextLine> lines = textLines(head.left(16384));
    for (std::size_t i = 0; i < lines.size() && i < 40; ++i) {
        const QString t = lines[i].text.trimmed();
        const QStringList c = splitCsv(t);
        if (t.startsWith(QLatin1String("sep=")) || t.startsWith(QLatin1String("Device ID")))
            return Format::LabRadar;
        if (t.startsWith(QLatin1String("Synced on:")))
            return Format::MagnetoSpeedXfr;
        if (c.value(0) == QLatin1String("Series") && c.value(2) == QLatin1String("Shots:"))
            return Format::MagnetoSpeedLog;
        if ((c.value(0) == QLatin1String("Shot List") && c.value(1) == QLatin1String("Index"))
            || (i == 0 && c.value(0) == QLatin1String("Shot 1")))
            return Format::ProChrono;
        if (i <= 2 && c.value(0) == QLatin1String("#") && c.size() >= 6)
            return Format::ShotViewCsv;
        if (c.value(0) == QLatin1String("Shot ID"))
            return Format::LabRadar;
    }
    return Format::Unknown;
}

ImportResult importBytes(const QByteArray &bytes)
{
    switch (detectFormat(bytes)) {
    case Format::Fit:
        return readFit(bytes);
    case Format::ShotViewCsv:
        return readShotViewCsv(bytes);
    case Format::LabRadar:
        return readLabRadar(bytes);
    case Format::MagnetoSpeedLog:
        return readMagnetoSpeed(bytes, false);
    case Format::MagnetoSpeedXfr:
        return readMagnetoSpeed(bytes, true);
    case Format::ProChrono:
        return readProChrono(bytes);
    case Format::ShotViewXlsx:
    case Format::ShotViewXls:
    case Format::Unknown:
        break;
    }
    ImportResult r;
    r.error = QStringLiteral("not a chronograph file this program reads (ShotView CSV, .xlsx or .xls, Garmin .fit, "
                             "LabRadar report, MagnetoSpeed or ProChrono CSV)");
    return r;
}

ImportResult importFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ImportResult r;
        r.error = f.errorString();
        return r;
    }
    // Exports are small; a file of more than 64 MiB is not one of them.
    constexpr qint64 kMax = 64 << 20;
    if (f.size() > kMax) {
        ImportResult r;
        r.error = QStringLiteral("larger than any chronograph export (%1 bytes)").arg(f.size());
        return r;
    }
    const QByteArray bytes = f.readAll();
    if (detectFormat(bytes.left(16)) == Format::ShotViewXlsx)
        return readShotViewXlsx(path);
    if (detectFormat(bytes.left(16)) == Format::ShotViewXls)
        return readShotViewXls(path);
    return importBytes(bytes);
}

} // namespace zx::import
