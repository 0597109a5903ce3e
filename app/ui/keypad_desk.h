#pragma once
// The main window's side of the keypad (frmKeyPad): one copy, created on first use, opened by
// the Interface menu's mnuKeyPad and mnuIRemote and by the toolbar's Keypad button; the LCD
// refresh the link runs after received lines; its position kept in section frmKeyPad.
// Opened through mnuIRemote, the main window is disabled until the pad closes.
#include <QObject>
#include <QPointer>

#include <memory>

class QAction;

namespace zx {

class FrmKeyPad;
class FrmMdi;
class KeyPad;
class LinkSession;
class RemoteControl;

class KeyPadDesk : public QObject {
    Q_OBJECT
public:
    KeyPadDesk(FrmMdi &mdi, LinkSession &link, RemoteControl &remote);
    ~KeyPadDesk() override;

    // Shows the pad (loading it the first time); asRemote disables the main window meanwhile.
    void open(bool asRemote);
    FrmKeyPad *window() const;
    KeyPad &pad() { return *m_pad; }

private:
    void load();
    void closed();
    void savePosition();

    FrmMdi &m_mdi;
    QPointer<LinkSession> m_link;   // the link goes with the chronograph desk, which may go first
    std::unique_ptr<KeyPad> m_pad;
    QPointer<FrmKeyPad> m_window;
    bool m_mainDisabled = false;
};

// Splash step, after the remote control panel (the pad sends through its guarded key path).
KeyPadDesk *installKeyPad(FrmMdi &mdi);
KeyPadDesk *keyPadDesk(FrmMdi &mdi);
// The toolbar's Keypad button opens the pad.
void bindKeypadTool(FrmMdi &mdi, QAction *button);

} // namespace zx
