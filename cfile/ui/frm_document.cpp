#include "cfile/ui/frm_document.h"

#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTextEdit>

namespace zx {

FrmDocument::FrmDocument(CFileDoc *doc, CFileManager &files, QWidget *parent)
    : QMdiSubWindow(parent), m_doc(doc), m_files(files), m_rtfText(new QTextEdit(this))
{
    setObjectName(QStringLiteral("frmDocument"));
    setProperty("Tag", QStringLiteral("CFile"));
    m_rtfText->setObjectName(QStringLiteral("rtfText"));
    m_rtfText->setAcceptRichText(true);
    m_rtfText->setDocument(doc->document());
    m_rtfText->installEventFilter(this);
    setWidget(m_rtfText);
    setAttribute(Qt::WA_DeleteOnClose);
    // The document logic works on the editor's own caret.
    QTextEdit *edit = m_rtfText;
    doc->bindCaret([edit] { return edit->textCursor(); },
                   [edit](const QTextCursor &c) {
                       edit->setTextCursor(c);
                       edit->ensureCursorVisible();
                   });
    connect(doc, &CFileDoc::captionChanged, this, &FrmDocument::updateTitle);
    connect(doc, &CFileDoc::changedFlagChanged, this, &FrmDocument::updateTitle);
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates, Qt::WindowStates now) {
        if (m_doc)
            m_doc->setWindowState((now & Qt::WindowMinimized) ? 1 : (now & Qt::WindowMaximized) ? 2 : 0);
    });
    updateTitle();
}

FrmDocument::~FrmDocument()
{
    if (m_doc)
        m_doc->bindCaret({}, {});
}

void FrmDocument::updateTitle()
{
    if (!m_doc)
        return;
    // The caption is the full path (or the default name), nothing added.
    setWindowTitle(m_doc->caption());
}

void FrmDocument::detach()
{
    m_detached = true;
    if (m_doc) {
        // The document may outlive the editor's use of it: it keeps a caret of its own.
        m_doc->bindCaret({}, {});
        m_doc->setCaret(QTextCursor(m_doc->document()));
    }
    m_rtfText->setDocument(new QTextDocument(m_rtfText));
    m_doc = nullptr;
}

void FrmDocument::closeFromLogic()
{
    detach();
    if (!m_inCloseEvent)
        close();
}

void FrmDocument::applyViewMode(int mode, int pageWidthPx)
{
    switch (mode) {
    case 1:
        m_rtfText->setLineWrapMode(QTextEdit::WidgetWidth);
        break;
    case 2:
        m_rtfText->setLineWrapMode(QTextEdit::FixedPixelWidth);
        m_rtfText->setLineWrapColumnOrWidth(pageWidthPx);
        break;
    default:
        m_rtfText->setLineWrapMode(QTextEdit::NoWrap);
        break;
    }
}

void FrmDocument::closeEvent(QCloseEvent *event)
{
    if (m_detached || !m_doc) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    // The document logic asks about changes and, when it closes, detaches this window.
    event->ignore();
    m_inCloseEvent = true;
    m_files.closeDoc(m_doc);
    m_inCloseEvent = false;
    if (m_detached) {
        event->accept();
        QMdiSubWindow::closeEvent(event);
    }
}

bool FrmDocument::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rtfText && event->type() == QEvent::KeyPress && m_jumpToEnd && m_jumpToEnd()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty()) {
            QTextCursor c = m_rtfText->textCursor();
            if (!c.atEnd() || c.hasSelection()) {
                c.clearSelection();
                c.movePosition(QTextCursor::End);
                m_rtfText->setTextCursor(c);
            }
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

} // namespace zx
