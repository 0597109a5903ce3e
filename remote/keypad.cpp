#include "remote/keypad.h"
#include "platform/crlf.h"

#include "link/link_session.h"
#include "remote/remote_control.h"

#include <QStringList>

#include <algorithm>

namespace zx {

namespace {

// "<name>" followed by ON or OFF in an answer: 1 on, 0 off, -1 not there.
int onOffAfter(const QString &answer, QLatin1StringView name)
{
    const qsizetype p = answer.lastIndexOf(name);
    if (p < 0)
        return -1;
    const QStringView rest = QStringView(answer).mid(p + name.size());
    if (rest.startsWith(u"ON"))
        return 1;
    return rest.startsWith(u"OFF") ? 0 : -1;
}
} // namespace

// The keypad of the RV5, row by row (five keys a row); the arrow cluster sits in the lower right.
const std::array<PadKey, KeyPad::kKeys> KeyPad::kPadKeys{{
    {"Units", 'U', false}, {"Arc", 'A', false}, {"Sens", 'Z', false}, {"RFire", 'F', false}, {"Start", '[', true},
    {"CAL", 'C', false}, {"Del", '^', true}, {"Undo", '\\', true}, {"Edit", 'D', false}, {"Stop", 'P', false},
    {"Menu", 'M', false}, {"Mass", 'Q', false}, {"", 'K', true}, {"", 'U', true}, {"", 'T', false},
    {"Stats", 'S', false}, {"Stats2", 'S', false}, {"", 'L', true}, {"Home", 'D', false}, {"", 'R', true},
    {"Data", 'D', false}, {"Data2", 'D', false}, {"", 'O', true}, {"", 'D', true}, {"", 'T', false},
}};

const std::array<const char *, KeyPad::kIndicators> KeyPad::kIndicatorNames{{"ARC", "SENS", "RFIRE", "START", "STOP"}};

KeyPad::KeyPad(LinkSession &link, RemoteControl &remote, QObject *parent)
    : QObject(parent), m_link(link), m_remote(remote)
{
}

void KeyPad::open()
{
    m_link.bKeyPadOn = true;
    showLcd(lcdTestPattern());
    showFlags();
}

void KeyPad::close() { m_link.bKeyPadOn = false; }

bool KeyPad::isOpen() const { return m_link.bKeyPadOn; }

QString KeyPad::lcdTestPattern()
{
    return QStringLiteral("Str=00 Sho=00_00\rVel=888888.88 f/s\rLow=888888.88 f/s\rTemp=000.00 Fah");
}

void KeyPad::keyPress(int index)
{
    if (index < 0 || index >= kKeys)
        return;
    if (m_busy) {
        // Pressed while the previous key's transaction runs: it goes once that one returns.
        if (m_queue.size() < kQueueLimit)
            m_queue.append(index);
        return;
    }
    m_busy = true;
    for (int next = index;;) {
        // A key refused (no remote keys on this device, another task running) takes the
        // keys pressed after it along: they were meant to follow it.
        if (!sendOne(next))
            m_queue.clear();
        if (m_queue.isEmpty())
            break;
        next = m_queue.takeFirst();
    }
    m_busy = false;
}

bool KeyPad::sendOne(int index)
{
    const PadKey &k = kPadKeys.at(size_t(index));
    if (index == kCalKey)
        showLcd(QStringLiteral("Please Wait, Calibrating..."));
    const bool sent = m_remote.sendKey({QString(QLatin1Char(k.letter)), k.asKey, {}, {}});
    if (sent)
        noteAnswer(index);
    refreshLcd();
    m_link.bKeyPadOn = true;
    return sent;
}

// The indicators follow the chronograph state; the mode toggles report their new state in the
// answer, which the state takes over so the other windows see it too.
void KeyPad::noteAnswer(int index)
{
    CroState &st = m_link.cro;
    const QString &answer = m_link.sCroRsp;
    const bool ok = !m_link.croTxn.failed;
    switch (index) {
    case 1:
        if (const int v = onOffAfter(answer, QLatin1StringView("Archery Mode ")); ok && v >= 0)
            st.bCroArcheryOn = v == 1;
        break;
    case 2:
        if (const int v = onOffAfter(answer, QLatin1StringView("Sens=")); ok && v >= 0)
            st.bCroSensorsOn = v == 1;
        break;
    case 3:
        if (const int v = onOffAfter(answer, QLatin1StringView("Rapid Fire ")); ok && v >= 0)
            st.bCroRapidOn = v == 1;
        break;
    case 4:
    case 9:
        if (ok) {
            m_indicators[Started] = index == 4;
            m_indicators[Stopped] = index == 9;
        }
        break;
    default:
        return;
    }
    showFlags();
}

void KeyPad::showFlags()
{
    const CroState &st = m_link.cro;
    m_indicators[Archery] = st.bCroArcheryOn;
    m_indicators[Sensors] = st.bCroSensorsOn;
    m_indicators[RapidFire] = st.bCroRapidOn;
    Q_EMIT indicatorsChanged();
}

void KeyPad::refreshLcd() { showLcd(lastLines(receivedTail(m_link, kLcdLines))); }

void KeyPad::showLcd(const QString &text)
{
    if (text == m_lcd)
        return;
    m_lcd = text;
    Q_EMIT lcdChanged(m_lcd);
}

QString KeyPad::lastLines(const QString &text, int n)
{
    QStringList lines;
    qsizetype end = text.size();
    while (lines.size() < n) {
        const qsizetype p = end >= 2 ? text.lastIndexOf(kCrLf, end - 2) : -1;
        const qsizetype start = p < 0 ? 0 : p + 2;
        lines.prepend(text.mid(start, end - start).trimmed());
        if (p < 0)
            break;
        end = p;
    }
    return lines.join(kCrLf);
}

QString KeyPad::receivedTail(const LinkSession &link, int lines)
{
    // Slots before the current one hold completed lines (their CR dropped, the LF of the CR LF
    // leading the next slot); the current slot holds the line still being received.
    const int completed = link.iRxLineCnt < 0 || link.iRxLineCnt > 100 ? 100 : link.iRxLineCnt;
    const int back = std::min(lines - 1, completed);
    QStringList parts;
    for (int k = back; k >= 0; --k) {
        const int slot = (link.iRxLine - k + LinkSession::kRxSlots) % LinkSession::kRxSlots;
        parts << QString(link.sRxLine.at(size_t(slot))).remove(QLatin1Char('\n'));
    }
    return parts.join(kCrLf);
}

} // namespace zx
