#include "platform/app_title.h"

namespace zx {
namespace {
QString &title()
{
    static QString t = QStringLiteral("Zentrix0");
    return t;
}
} // namespace

QString appTitle() { return title(); }
void setAppTitle(const QString &t) { title() = t; }

} // namespace zx
