#include "term/ui/term_view.h"

#include "term/terminal.h"

#include <QFontDatabase>

#include <algorithm>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace zx {

TermView::TermView(QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("txtTerm"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
}

QString TermView::shown(QStringView modelText) const
{
    return m_hex ? Terminal::hexOf(modelText) : terminalDisplayText(modelText);
}

void TermView::follow(const TrimmedText &text)
{
    const TextDelta d = m_follower.take(text);
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum() - 2;
    if (d.rewrite) {
        setPlainText(shown(d.text));
    } else {
        if (d.dropFront > 0)
            cutFront(d.dropFront);
        if (!d.text.isEmpty()) {
            QTextCursor c(document());
            c.movePosition(QTextCursor::End);
            c.insertText(shown(d.text));
        }
    }
    if (atEnd || d.rewrite)
        bar->setValue(bar->maximum());
}

void TermView::cutFront(qsizetype modelChars)
{
    // In text a block separator stands for CR LF; in hex every byte takes three places.
    qsizetype viewChars = 0;
    if (m_hex) {
        viewChars = modelChars * 3;
    } else {
        qsizetype left = modelChars;
        for (QTextBlock b = document()->begin(); b.isValid() && left > 0; b = b.next()) {
            const qsizetype textLen = b.length() - 1;
            const bool hasEnd = b.next().isValid();
            if (left < textLen + (hasEnd ? 2 : 0)) {
                viewChars += std::min(left, textLen);
                if (left > textLen)   // the CR of a CR LF pair: the separator goes with its LF
                    ++viewChars;
                left = 0;
                break;
            }
            viewChars += textLen + (hasEnd ? 1 : 0);
            left -= textLen + (hasEnd ? 2 : 0);
        }
    }
    QTextCursor c(document());
    c.setPosition(int(std::min<qsizetype>(viewChars, document()->characterCount() - 1)), QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void TermView::setHexView(bool on, const TrimmedText &text)
{
    m_hex = on;
    m_follower.reset();
    follow(text);
}

void TermView::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
        return;
    Q_EMIT keyTyped(key, e->modifiers(), e->text());
    e->accept();
}

} // namespace zx
