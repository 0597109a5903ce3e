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
        QStringView kept = QStringView(d.text).right(kLimit);
        if (!m_hex && kept.startsWith(u'\n'))   // the LF of a cut line end: start at the next line
            kept = kept.mid(1);
        setPlainText(shown(kept));
        m_held = kept.size();
    } else if (!d.text.isEmpty()) {
        // What the terminal text dropped from its front, then this box's own limit.
        const qsizetype before = text.size() - d.text.size();
        if (m_held > before)
            cutFront(m_held - before);
        QTextCursor c(document());
        c.movePosition(QTextCursor::End);
        c.insertText(shown(d.text));
        m_held += d.text.size();
        if (m_held > kLimit)
            cutFront(m_held - kLimit);
    }
    if (atEnd || d.rewrite)
        bar->setValue(bar->maximum());
}

void TermView::cutFront(qsizetype n)
{
    // A block stands for its characters and, when a line end follows, the CR LF; in hex every
    // byte takes three places (the LF's separator included). Whole lines go while they do not
    // overshoot by much; a long line (or the one still open) is cut inside.
    qsizetype removed = 0;
    int viewChars = 0;
    for (QTextBlock b = document()->begin(); b.isValid() && removed < n; b = b.next()) {
        const qsizetype textLen = b.length() - 1;
        const bool last = !b.next().isValid();
        const qsizetype received = m_hex ? b.length() / 3 : textLen + (last ? 0 : 2);
        if (removed + received <= n || (!last && removed + received <= n + kLimit / 4)) {
            viewChars += b.length();
            removed += received;
            continue;
        }
        const qsizetype part = n - removed;
        if (m_hex)
            viewChars += int(part * 3);
        else   // the CR of a line end alone leaves its LF (the separator) in place
            viewChars += int(part >= textLen + 2 ? b.length() : std::min(part, textLen));
        removed = n;
    }
    QTextCursor c(document());
    c.setPosition(std::min(viewChars, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    c.removeSelectedText();
    m_held -= std::min(removed, m_held);
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
    // Ctrl+C copies what is selected; with nothing selected it is the chronograph's Ctrl+C.
    if (e->matches(QKeySequence::Copy) && textCursor().hasSelection()) {
        copy();
        e->accept();
        return;
    }
    QString text = e->text();
    // Ctrl with a letter is its control character, whatever text the platform put with it.
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
        text = QChar(key - Qt::Key_A + 1);
    const bool sent = sendKey && sendKey(key, e->modifiers(), text);
    if (!sent)
        scrollFor(key);   // the device did not take it: an arrow or page key reads back
    e->accept();
}

void TermView::scrollFor(int key)
{
    QScrollBar *v = verticalScrollBar();
    QScrollBar *h = horizontalScrollBar();
    switch (key) {
    case Qt::Key_Up: v->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Down: v->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: v->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: v->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Left: h->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: h->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    default: break;
    }
}

} // namespace zx
