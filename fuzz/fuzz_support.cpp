#include "fuzz/fuzz_support.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace zx::fuzz {

void initApp(bool gui)
{
    static int argc = 1;
    static char name[] = "zx-fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    if (gui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv); // lives for the whole run
    } else {
        new QCoreApplication(argc, argv);
    }
}

} // namespace zx::fuzz
