#include "cfile/ui/frm_full_screen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zx {

FrmFullScreen::FrmFullScreen(QWidget *parent)
    : QWidget(parent, Qt::Window), m_view(new QTextEdit(this)), m_placeholder(new QTextDocument(this))
{
    setObjectName(QStringLiteral("frmFullScreen"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_view->setObjectName(QStringLiteral("rtfText"));
    m_view->setReadOnly(true);
    m_view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_view->setDocument(m_placeholder);

    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("lblCaption"));
    auto *remote = new QPushButton(QStringLiteral("&Remote"), this);
    remote->setObjectName(QStringLiteral("cmdRemote"));
    remote->setToolTip(QStringLiteral("The chronograph's keypad"));
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setToolTip(QStringLiteral("Back to the normal view (Esc)"));
    connect(remote, &QPushButton::clicked, this, [this] {
        if (m_openRemote)
            m_openRemote();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *bar = new QHBoxLayout;
    bar->addWidget(title, 1);
    bar->addWidget(remote);
    bar->addWidget(close);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addLayout(bar);
    root->addWidget(m_view, 1);
}

void FrmFullScreen::showDocument(QTextDocument *doc, const QString &caption)
{
    release();
    m_view->setDocument(doc);
    m_gone = connect(doc, &QObject::destroyed, this, [this] {
        m_view->setDocument(m_placeholder); // never paint a document that is gone
        close();
    });
    setWindowTitle(caption);
    if (auto *l = findChild<QLabel *>(QStringLiteral("lblCaption")))
        l->setText(caption);
    m_view->moveCursor(QTextCursor::End);
    m_view->ensureCursorVisible();
    showFullScreen();
    raise();
    activateWindow();
}

void FrmFullScreen::release()
{
    disconnect(m_gone);
    m_view->setDocument(m_placeholder);
}

void FrmFullScreen::closeEvent(QCloseEvent *event)
{
    const bool had = m_view->document() != m_placeholder;
    release();
    QWidget::closeEvent(event);
    if (had && m_onClosed)
        m_onClosed();
}

void FrmFullScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zx
