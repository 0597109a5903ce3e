#include "app/ui/keypad_desk.h"

#include "app/ui/chrono_desk.h"
#include "app/ui/first_place.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/remote_panel_desk.h"
#include "link/link_session.h"
#include "platform/prompter.h"
#include "remote/keypad.h"
#include "remote/keypad_settings_keys.h"
#include "remote/ui/frm_key_pad.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <algorithm>

namespace zx {

namespace {
const QString kHelp = QStringLiteral(
    "Each key of the pad is sent to the chronograph as on its own keypad;\r\n"
    "the display shows the last four lines the chronograph sent.\r\n\r\n"
    "Units, Arc, Sens, RFire: units, archery, sensors off, rapid fire.\r\n"
    "Start wakes the chronograph, Stop switches it off, CAL calibrates.\r\n"
    "Del and Undo delete and undelete the shot under review.\r\n"
    "Edit, Home, Data: Data mode.  Stats: Stats mode.  Menu: the menu.\r\n"
    "Mass: sign-on and status.  The arrows move through shots, strings\r\n"
    "and folders, or through the menu; the thermometers show the temperatures.\r\n\r\n"
    "The boxes under the display light for archery, sensors, rapid fire,\r\n"
    "and after Start or Stop.  <<< and >>> change the pad's size, <> restores it.");
} // namespace

KeyPadDesk::KeyPadDesk(FrmMdi &mdi, LinkSession &link, RemoteControl &remote)
    : QObject(&mdi), m_mdi(mdi), m_link(&link), m_pad(std::make_unique<KeyPad>(link, remote))
{
    setObjectName(QStringLiteral("keyPadDesk"));
    link.hooks.keyPadRefresh = [this] { m_pad->refreshLcd(); };

    if (QMenu *m = mdi.menuNamed(QStringLiteral("mnuInterface"))) {
        QAction *pad = m->addAction(QStringLiteral("&Keypad..."));
        pad->setObjectName(QStringLiteral("mnuKeyPad"));
        connect(pad, &QAction::triggered, this, [this] { open(false); });
        QAction *remoteOnly = m->addAction(QStringLiteral("i&Remote Keypad..."));
        remoteOnly->setObjectName(QStringLiteral("mnuIRemote"));
        remoteOnly->setToolTip(QStringLiteral("The keypad alone; the main window waits until it closes"));
        connect(remoteOnly, &QAction::triggered, this, [this] { open(true); });
    }
    mdi.shutdownHooks().supportClosing.push_back([this] {
        if (m_window && m_window->isVisible())
            m_window->close();
    });
    mdi.shutdownHooks().destroyWindows.push_back([this] { delete m_window.data(); });
}

KeyPadDesk::~KeyPadDesk()
{
    delete m_window.data();
    if (m_link) {
        m_link->hooks.keyPadRefresh = nullptr;
        m_link->bKeyPadOn = false;
    }
}

FrmKeyPad *KeyPadDesk::window() const { return m_window; }

void KeyPadDesk::load()
{
    // A window of its own, so it stays usable while the main window is disabled.
    m_window = new FrmKeyPad(*m_pad);
    placeBesideOnFirstShow(m_window, &m_mdi);
    AppContext &ctx = m_mdi.context();
    const QString app = ctx.instanceName();
    m_window->setPadSize(ctx.store.read(app, keys::frmKeyPad::PadSize).toInt());
    bool okX = false, okY = false;
    const int x = ctx.store.read(app, keys::frmKeyPad::PosWinX).toInt(&okX);
    const int y = ctx.store.read(app, keys::frmKeyPad::PosWinY).toInt(&okY);
    const double tpp = twipsPerPixel(&m_mdi);
    if (okX && okY) {
        // Kept on the screen it was left on, or brought back onto the primary one.
        QPoint at(int(x / tpp), int(y / tpp));
        const QScreen *screen = QGuiApplication::screenAt(at);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect avail = screen->availableGeometry();
            at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - m_window->width())));
            at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - m_window->height())));
        }
        m_window->move(at);
    }
    connect(m_window, &FrmKeyPad::closed, this, &KeyPadDesk::closed);
    connect(m_window, &FrmKeyPad::helpRequested, this, [this] {
        m_mdi.context().prompter->inform(kHelp, QStringLiteral("RV5 Keypad"));
    });
}

void KeyPadDesk::open(bool asRemote)
{
    if (!m_window)
        load();
    if (!m_window->isVisible())
        m_pad->open();
    if (asRemote && !m_mainDisabled) {
        m_mainDisabled = true;
        m_mdi.setEnabled(false);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void KeyPadDesk::savePosition()
{
    AppContext &ctx = m_mdi.context();
    const QString app = ctx.instanceName();
    const double tpp = twipsPerPixel(&m_mdi);
    ctx.store.writeInt(app, keys::frmKeyPad::PosWinX, int(m_window->x() * tpp));
    ctx.store.writeInt(app, keys::frmKeyPad::PosWinY, int(m_window->y() * tpp));
    ctx.store.writeInt(app, keys::frmKeyPad::PadSize, m_window->padSize());
}

void KeyPadDesk::closed()
{
    savePosition();
    if (m_mainDisabled) {
        m_mainDisabled = false;
        m_mdi.setEnabled(true);
        m_mdi.raise();
        m_mdi.activateWindow();
    }
}

KeyPadDesk *installKeyPad(FrmMdi &mdi)
{
    if (KeyPadDesk *d = keyPadDesk(mdi))
        return d;
    ChronoDesk *desk = chronoDesk(mdi);
    RemotePanelDesk *panel = remotePanelDesk(mdi);
    if (!desk || !panel)
        return nullptr;
    return new KeyPadDesk(mdi, desk->link(), panel->control());
}

KeyPadDesk *keyPadDesk(FrmMdi &mdi)
{
    return mdi.findChild<KeyPadDesk *>(QStringLiteral("keyPadDesk"), Qt::FindDirectChildrenOnly);
}

void bindKeypadTool(FrmMdi &mdi, QAction *button)
{
    if (button)
        QObject::connect(button, &QAction::triggered, &mdi, [&mdi] {
            if (KeyPadDesk *d = keyPadDesk(mdi))
                d->open(false);
        });
}

} // namespace zx
