#pragma once
// The terminal text box txtTerm: follows the terminal text by appending at the end and cutting
// the front only when the text passed its limit, so a long session costs the same per chunk
// as the first. Keys are handed to the terminal logic, never typed into the box.
#include "term/text_follower.h"

#include <QPlainTextEdit>

namespace zx {

class TermView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TermView(QWidget *parent = nullptr);

    // Brings the box in line with the terminal text.
    void follow(const TrimmedText &text);
    // The received bytes in hexadecimal instead of text (redrawn from the terminal text).
    void setHexView(bool on, const TrimmedText &text);
    bool hexView() const { return m_hex; }

Q_SIGNALS:
    void keyTyped(int key, Qt::KeyboardModifiers mods, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool) override { return false; }   // Tab is a character here

private:
    QString shown(QStringView modelText) const;
    void cutFront(qsizetype modelChars);

    TextFollower m_follower;
    bool m_hex = false;
};

} // namespace zx
