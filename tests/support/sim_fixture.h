#pragma once
// An RV5 simulator on a real pseudo-terminal in the test's own process and thread: the test must
// pump events while it waits (QTRY_*, QSignalSpy::wait, or the wait helpers below).
#include "sim/pty_transport.h"
#include "sim/rv5_simulator.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zx::test {

class SimFixture {
public:
    // Opens the pseudo-terminal at once; check isOpen() (QVERIFY) before using devicePath().
    explicit SimFixture(const zx::sim::Rv5Options &options = quietOptions());
    ~SimFixture();

    // No live shots, nothing random in the timing: the usual start for protocol tests.
    static zx::sim::Rv5Options quietOptions();

    bool isOpen() const { return m_pty->isOpen(); }
    QString devicePath() const { return m_pty->devicePath(); }
    QString errorString() const { return m_pty->errorString(); }

    zx::sim::Rv5Simulator &sim() { return *m_sim; }
    zx::sim::PtyTransport &pty() { return *m_pty; }

    // A path that stays the same across unplug and replug (a link to the pseudo-terminal in a
    // private folder, as /dev/serial/by-id names an adapter); it is gone while unplugged.
    QString stablePath() const;

    // Pull the cable: the device path disappears, an open port sees an error.
    void unplug();
    // Plug in again (usually under a new device path; stablePath() leads to it).
    bool replug();

    // Pump events until the simulator has nothing left to send (true) or timeoutMs passes.
    bool waitIdle(int timeoutMs = 5000);
    // Pump events until the simulator has received at least n bytes in all.
    bool waitReceived(int n, int timeoutMs = 5000);

private:
    std::unique_ptr<zx::sim::Rv5Simulator> m_sim;
    std::unique_ptr<zx::sim::PtyTransport> m_pty;
    QTemporaryDir m_linkDir;
    void relink();
};

// Records what an engine sends, for tests that drive the engine directly (no line at all).
class SimRecorder {
public:
    explicit SimRecorder(zx::sim::Rv5Simulator &sim);
    ~SimRecorder();
    SimRecorder(const SimRecorder &) = delete;
    SimRecorder &operator=(const SimRecorder &) = delete;
    // Sends bytes, waits until the engine has nothing left to say, returns what it said.
    QByteArray send(const QByteArray &bytes, int timeoutMs = 5000);
    // A key as the program sends it: the letter with bit 6 cleared ("M" -> 0x0D).
    static QByteArray key(char letter) { return QByteArray(1, char(letter & 0xBF)); }
    QByteArray all() const { return m_all; }
    int pieces() const { return m_pieces; }
    void clear();

private:
    zx::sim::Rv5Simulator &m_sim;
    QByteArray m_all;
    int m_pieces = 0;
    QMetaObject::Connection m_conn;
};

} // namespace zx::test
