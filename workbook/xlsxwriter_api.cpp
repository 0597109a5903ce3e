#include "workbook/xlsxwriter_api.h"

#include <dlfcn.h>

namespace zx::wb {

namespace {
constexpr const char *kLibrary = "libxlsxwriter.so.4";

struct Loaded {
    XlsxWriterApi api;
    QString error;
};

Loaded load()
{
    Loaded l;
    void *handle = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!handle) {
        l.error = QStringLiteral("the library %1 cannot be loaded (%2).")
                      .arg(QLatin1String(kLibrary), QString::fromLocal8Bit(::dlerror()));
        return l;
    }
#define ZX_XLSXWRITER_RESOLVE(fn)                                                                        \
    l.api.fn = reinterpret_cast<decltype(&::fn)>(::dlsym(handle, #fn));                                  \
    if (!l.api.fn && l.error.isEmpty())                                                                  \
        l.error = QStringLiteral("the library %1 lacks %2.").arg(QLatin1String(kLibrary), QLatin1String(#fn));
    ZX_XLSXWRITER_FUNCTIONS(ZX_XLSXWRITER_RESOLVE)
#undef ZX_XLSXWRITER_RESOLVE
    return l; // the library stays loaded for the program's life
}
} // namespace

const XlsxWriterApi *xlsxWriterApi(QString *error)
{
    static const Loaded loaded = load();
    if (!loaded.error.isEmpty()) {
        if (error)
            *error = loaded.error;
        return nullptr;
    }
    return &loaded.api;
}

} // namespace zx::wb
