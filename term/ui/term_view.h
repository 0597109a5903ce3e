#pragma once
// The terminal text box txtTerm: follows the terminal text by appending at the end and, once
// it holds more than the terminal's 32,750 characters, removing its leading lines; so a long
// session costs the same per chunk as the first. Keys are handed to the terminal logic, never
// typed into the box; Ctrl+C copies a selection, and without one goes out as 0x03. Arrow and
// page keys the device does not take scroll the text.
#include "term/text_follower.h"

#include <QPlainTextEdit>

#include <functional>

namespace zx {

class TermView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr qsizetype kLimit = 32750;   // received characters the box keeps

    explicit TermView(QWidget *parent = nullptr);

    // Brings the box in line with the terminal text.
    void follow(const TrimmedText &text);
    // The received bytes in hexadecimal instead of text (redrawn from the terminal text).
    void setHexView(bool on, const TrimmedText &text);
    bool hexView() const { return m_hex; }
    qsizetype heldCharacters() const { return m_held; }

    // A key typed in the box (Qt key code, modifiers, its text); true when it went to the device.
    std::function<bool(int key, Qt::KeyboardModifiers mods, const QString &text)> sendKey;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool) override { return false; }   // Tab is a character here

private:
    QString shown(QStringView received) const;
    // Removes leading lines holding at least n received characters.
    void cutFront(qsizetype n);
    // Scrolls for an arrow or page key (other keys do nothing).
    void scrollFor(int key);

    TextFollower m_follower;
    qsizetype m_held = 0;   // received characters the box shows
    bool m_hex = false;
};

} // namespace zx
