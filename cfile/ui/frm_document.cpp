#include "cfile/ui/frm_document.h"

#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTextEdit>

#include <algorithm>

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
    m_rtfText->viewport()->installEventFilter(this);
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

void FrmDocument::syncEditPolicy()
{
    const bool readOnly = m_editingAllowed && !m_editingAllowed();
    if (m_rtfText->isReadOnly() == readOnly)
        return;
    m_rtfText->setReadOnly(readOnly);
    // Read-only still shows the caret and moves it with the keys.
    if (readOnly)
        m_rtfText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

namespace {

// The text a key types: empty for commands (Ctrl without the Alt of AltGr, Meta), moving
// and other keys without printable text.
QString typedText(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)))
        return {};
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return QStringLiteral("\n");
    if (key->key() == Qt::Key_Tab)
        return QStringLiteral("\t");
    const QString text = key->text();
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isPrint(); }) ? text : QString();
}

} // namespace

bool FrmDocument::typeAtEnd(const QKeyEvent *key)
{
    const bool backspace = key->key() == Qt::Key_Backspace;
    const QString text = typedText(key);
    if (text.isEmpty() && !backspace)
        return false;  // moving, selecting, copying: the editor's own
    QTextCursor c = m_rtfText->textCursor();
    c.clearSelection();
    c.movePosition(QTextCursor::End);
    if (!backspace)
        c.insertText(text);
    else if (m_doc && c.position() > m_doc->recordEnd())
        c.deletePreviousChar();
    m_rtfText->setTextCursor(c);
    m_rtfText->ensureCursorVisible();
    return true;
}

bool FrmDocument::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_rtfText && watched != m_rtfText->viewport())
        return QMdiSubWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
    case QEvent::DragEnter:
    case QEvent::InputMethod:
        syncEditPolicy();
        break;
    default:
        break;
    }
    if (watched == m_rtfText && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_rtfText->isReadOnly() && typeAtEnd(key))
            return true;
        // Only keys that type: Ctrl+C keeps its selection to copy.
        if (m_jumpToEnd && m_jumpToEnd() && !typedText(key).isEmpty()) {
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
