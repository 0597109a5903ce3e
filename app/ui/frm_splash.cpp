#include "app/ui/frm_splash.h"

#include "platform/version.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace zx {

FrmSplash::FrmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto *layout = new QVBoxLayout(this);
    auto *product = new QLabel(QStringLiteral("Zentrix"), this);
    product->setObjectName(QStringLiteral("lblProductName"));
    QFont f = product->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    product->setFont(f);
    auto *version = new QLabel(QStringLiteral("Version ") + QLatin1String(kVersion), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(m_status);
    resize(360, 160);
}

void FrmSplash::setStatus(const QString &text)
{
    m_status->setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zx
