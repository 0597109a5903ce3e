#include "cfile/cfile_doc.h"

#include <QTextBlock>

namespace zx {

CFileDoc::CFileDoc(const QString &caption, QObject *parent)
    : QObject(parent), m_caption(caption), m_caret(&m_doc)
{
    m_doc.setUndoRedoEnabled(true);
    // contentsChange() needs a layout (a window); contentsChanged() fires without one too.
    connect(&m_doc, &QTextDocument::contentsChanged, this, [this] { setChanged(true); });
}

void CFileDoc::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

void CFileDoc::setChanged(bool changed)
{
    // The text document's own modified flag follows bChanged (editors and tests read it).
    m_doc.setModified(changed);
    if (changed == m_changed)
        return;
    m_changed = changed;
    Q_EMIT changedFlagChanged(changed);
}

QTextCursor CFileDoc::caret() const
{
    return m_getCaret ? m_getCaret() : m_caret;
}

void CFileDoc::setCaret(const QTextCursor &c)
{
    if (m_setCaret)
        m_setCaret(c);
    else
        m_caret = c;
}

void CFileDoc::bindCaret(std::function<QTextCursor()> get, std::function<void(const QTextCursor &)> set)
{
    m_getCaret = std::move(get);
    m_setCaret = std::move(set);
}

int CFileDoc::caretLine() const
{
    return caret().blockNumber() + 1;
}

int CFileDoc::lineCount() const
{
    return m_doc.blockCount();
}

} // namespace zx
