#include "platform/version.h"

#ifndef ZX_VERSION
#define ZX_VERSION "0.0.0"
#endif

namespace zx {

const char *const kVersion = ZX_VERSION;

QString versionText() { return QStringLiteral("zentrix ") + QLatin1String(kVersion) + QLatin1Char('\n'); }

} // namespace zx
