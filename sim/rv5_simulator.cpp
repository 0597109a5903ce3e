#include "sim/rv5_simulator.h"

#include "sim/rv5_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zx::sim {

namespace {

// Keys arrive as control characters (the key letter with bit 6 cleared).
constexpr char kEsc = 0x1B, kEnter = 0x0D, kUp = 0x15, kDown = 0x04, kLeft = 0x0C, kRight = 0x12;
constexpr char kPgUp = 0x0B, kPgDn = 0x0F;
constexpr char kDelShot = 0x1E, kDelString = 0x1F, kDelFolder = 0x01;
constexpr char kUndShot = 0x1C, kUndString = 0x1D, kUndFolder = 0x02;

constexpr double kSensorSpacingFt = 2.0;
constexpr int kMemoryItem = 2;  // Data menu: Keep Shot, Keep String, Keep Folder, Keep eDisk

const char *const kActionNames[] = {"Keep", "Restore", "Delete", "UnDelete", "Clear"};
constexpr int kActionCount = 5;

} // namespace

Rv5Simulator::Rv5Simulator(const Rv5Options &options, QObject *parent)
    : QObject(parent), m_opt(options), m_shotRng(options.seed), m_miscRng(options.seed * 2654435761u + 17u)
{
    connect(&m_tx, &TxPipe::output, this, [this](const QByteArray &b) {
        if (!m_silent)
            Q_EMIT output(b);
    });
    m_tx.setPaced(options.paced);
    m_tx.setGarbageRate(0, options.seed);

    m_shotTimer.setSingleShot(true);
    connect(&m_shotTimer, &QTimer::timeout, this, &Rv5Simulator::onShotTimer);
    m_autoOff.setSingleShot(true);
    connect(&m_autoOff, &QTimer::timeout, this, [this] {
        if (m_st.powered && m_st.pwrDown && m_busy == Busy::None)
            powerOff("\r\nSYS:Auto Power OFF\r\n");
    });
    m_babble.setInterval(40);
    connect(&m_babble, &QTimer::timeout, this, [this] {
        if (!m_tx.idle())
            return;  // a paced line cannot keep up: talk as fast as it goes, no faster
        m_tx.sendBytes("\r\nTST:Sensor self test " + QByteArray::number(++m_babbleCount).rightJustified(5, '0')
                       + " ....... level " + QByteArray::number(m_miscRng.bounded(100)));
    });

    m_st.shotTotal = 1200;
    if (options.layout > 0) {
        m_st.maxStr = options.layout / 100;
        m_st.maxSho = options.layout % 100;
    }
    const int prefill = options.fillEDisk ? EDisk::kFolders * m_st.maxStr * m_st.maxSho : options.prefillShots;
    for (int i = 0; i < std::max(prefill, 0); ++i) {
        int f = 0, s = 0, n = 0;
        if (!storeShot(0, &f, &s, &n))
            break;
    }
    if (options.sensorsOn) {
        m_st.sensors = true;
        m_st.calLevel = 512;
    }
    syncShots();
    restartAutoOff();
    setMenuFault(options.menuFault, options.menuFaultAt);
}

Rv5Simulator::~Rv5Simulator() = default;

void Rv5Simulator::setMenuFault(MenuFault fault, int nth)
{
    m_menuFault = fault;
    m_menuFaultAt = nth;
    m_menuKeys = 0;
    m_menuFaultFired = false;
}

QByteArray Rv5Simulator::screen() const
{
    if (m_st.memPage)
        return memUnit() + " " + kActionNames[m_st.memAction];
    return Rv5Menus::label(m_st.menu, m_st.item, m_st.sub);
}

void Rv5Simulator::moveUnit()
{
    Rv5State &s = m_st;
    if (s.memPage && s.sub >= 2) {
        s.curFol = s.curFol % EDisk::kFolders + 1;
        s.curStr = 1;
    } else {
        s.curStr = s.curStr % s.maxStr + 1;
    }
    s.review = m_disk.slots(s.curFol, s.curStr);
}

bool Rv5Simulator::menuFaultBefore(char c)
{
    if (m_st.menu == 0 || ++m_menuKeys != m_menuFaultAt || m_menuFault == MenuFault::None)
        return false;
    m_menuFaultFired = true;
    Rv5State &s = m_st;
    switch (m_menuFault) {
    case MenuFault::LoseKey:
        reply(screen() + " \r\n" + fmt::prompt(s));
        return true;
    case MenuFault::DropAnswer:
        m_dropReply = true;
        break;
    case MenuFault::Garble:
        m_garbleReply = true;
        break;
    case MenuFault::WrongUnit:
        // A key that applies the page's action acts on the unit the page showed; the cursor
        // moves right after it.
        if (s.memPage && (c == kRight || c == kPgUp))
            m_moveUnitAfter = true;
        else
            moveUnit();
        break;
    case MenuFault::None:
        break;
    }
    return false;
}

// ---------------------------------------------------------------- input

void Rv5Simulator::receive(const QByteArray &bytes)
{
    m_received.append(bytes);
    if (m_silent)
        return;
    for (char c : bytes)
        handleByte(c);
    restartAutoOff();
}

void Rv5Simulator::handleByte(char c)
{
    if (!m_st.powered) {
        if (c == kEsc)  // line activity wakes it; only Esc counts as a wake-up press
            powerOn();
        return;
    }
    if (m_babble.isActive())
        return;
    if (m_busy == Busy::Listing) {
        if (c == kEsc) {  // Esc ends a running listing
            m_tx.clear();
            m_busy = Busy::None;
            reply("\r\n<End>" + fmt::capOff(m_st) + "\r\n" + fmt::prompt(m_st));
        }
        return;
    }
    if (m_busy == Busy::Calibrating) {
        if (c == kDown || c == kEsc)
            abortCalibration();
        return;
    }
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20)
        key(c);
    else if (c != ' ')
        command(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
}

void Rv5Simulator::command(char c)
{
    m_st.memPage = false;
    auto leaveMenu = [this] { m_st.menu = 0; };
    switch (c) {
    case 'Q':
        leaveMenu();
        reply(fmt::signOn(m_st, m_disk) + "\r\n" + fmt::prompt(m_st));
        break;
    case 'Z':
        if (!m_sensorsStuck)
            m_st.sensors = false;
        syncShots();
        m_st.item = m_st.sub = 0;  // in a menu it goes back to the top
        reply(fmt::sensorLine(m_st) + "\r\n" + fmt::prompt(m_st));
        break;
    case 'D':
        leaveMenu();
        m_st.mode = 1;
        reply("\r\nDAT>");
        break;
    case 'S':
        leaveMenu();
        m_st.mode = 2;
        reply(fmt::statsLine(m_st, m_disk) + "\r\nSTS>");
        break;
    case 'T':
        leaveMenu();
        reply("\r\nTMP:Case=" + QByteArray::number(m_st.caseTempC, 'f', 1) + "c Air=" + fmt::temperature(m_st, m_st.airTempC)
              + " " + m_st.tmpUnits().toLatin1() + "\r\n" + fmt::prompt(m_st));
        break;
    case 'U':
        leaveMenu();
        reply("\r\nUNI:Vel=" + m_st.velUnits().toLatin1() + " Tmp=" + m_st.tmpUnits().toLatin1() + " Tim="
              + m_st.timUnits().toLatin1() + "\r\n" + fmt::prompt(m_st));
        break;
    case 'A':
        leaveMenu();
        m_st.archery = !m_st.archery;
        reply("\r\nARC:Archery Mode " + fmt::onOff(m_st.archery) + "\r\n" + fmt::prompt(m_st));
        break;
    case 'F':
        leaveMenu();
        m_st.rapid = !m_st.rapid;
        reply("\r\nFAF:Rapid Fire " + fmt::onOff(m_st.rapid) + "\r\n" + fmt::prompt(m_st));
        break;
    case 'J':
    case 'K':
    case 'L': {
        leaveMenu();
        bool &flag = c == 'J' ? m_st.logJ : c == 'K' ? m_st.logK : m_st.logL;
        flag = !flag;
        reply("\r\nLOG:" + QByteArray(1, c) + "*Log=" + fmt::onOff(flag) + "\r\n" + fmt::prompt(m_st));
        break;
    }
    case 'W':
        leaveMenu();
        reply(fmt::memPosition(m_st, m_disk) + "\r\n" + fmt::prompt(m_st));
        break;
    case 'M':
        m_st.menu = m_st.mode;
        m_st.item = m_st.sub = 0;
        reply("\r\n" + Rv5Menus::label(m_st.menu, 0, 0) + " \r\n" + fmt::prompt(m_st));
        break;
    case 'C':
        calibrate();
        break;
    case 'P':
    case '9':
        powerOff("\r\nSYS:Shutting Down... Power OFF\r\n");
        break;
    case '1':
    case '2':
    case '3':
        listing(c - '0');
        break;
    default:
        reply("\r\n?\r\n" + fmt::prompt(m_st));
        break;
    }
}

void Rv5Simulator::key(char c)
{
    switch (c) {
    case kEsc:
        m_st.memPage = false;
        if (m_st.menu > 0) {
            m_st.item = m_st.sub = 0;
            reply("\r\n<End>\r\n" + fmt::prompt(m_st));
        } else {
            reply("\r\n<End>" + fmt::capOff(m_st) + "\r\n" + fmt::prompt(m_st));
        }
        return;
    case kEnter:
        if (menuFaultBefore(c))
            return;
        if (m_st.menu == 1 && m_st.item == kMemoryItem)
            openMemPage();
        else if (m_st.menu > 0)
            reply(m_menus.value(m_st.menu, m_st.item, m_st.sub) + " \r\n" + fmt::prompt(m_st));
        else
            reply("\r\n" + fmt::prompt(m_st));
        return;
    case kUp:
    case kDown:
    case kLeft:
    case kRight:
    case kPgUp:
    case kPgDn:
        if (menuFaultBefore(c))
            return;
        if (m_st.memPage)
            memPageKey(c);
        else if (m_st.menu > 0)
            menuKey(c);
        else
            cursorKey(c);
        if (m_moveUnitAfter) {
            m_moveUnitAfter = false;
            moveUnit();
        }
        return;
    case kDelShot:
    case kDelString:
    case kDelFolder:
    case kUndShot:
    case kUndString:
    case kUndFolder:
        memoryKey(c);
        return;
    default:
        return;  // LF, NUL and other control characters are ignored
    }
}

void Rv5Simulator::menuKey(char c)
{
    Rv5State &s = m_st;
    const int items = Rv5Menus::itemCount(s.menu);
    QByteArray shown;
    switch (c) {
    case kRight:
    case kLeft:
        s.item = (s.item + (c == kRight ? 1 : items - 1)) % items;
        s.sub = 0;
        shown = Rv5Menus::label(s.menu, s.item, s.sub);
        break;
    case kDown:
    case kUp: {
        const int subs = Rv5Menus::subCount(s.menu, s.item);
        s.sub = (s.sub + (c == kDown ? 1 : subs - 1)) % subs;
        shown = Rv5Menus::label(s.menu, s.item, s.sub);
        break;
    }
    default:  // PgUp / PgDn change the value
        m_menus.step(s.menu, s.item, s.sub, c == kPgUp);
        syncShots();
        shown = m_menus.value(s.menu, s.item, s.sub);
        break;
    }
    reply(shown + " \r\n" + fmt::prompt(s));
}

// ---------------------------------------------------------------- memory page

QByteArray Rv5Simulator::memUnit() const
{
    const Rv5State &s = m_st;
    QByteArray u = "Fol=" + QByteArray::number(s.curFol).rightJustified(2, '0');
    if (s.sub <= 1)
        u += " Str=" + QByteArray::number(s.curStr).rightJustified(2, '0');
    if (s.sub == 0)
        u += " Sho=" + QByteArray::number(s.review).rightJustified(2, '0');
    return u;
}

void Rv5Simulator::openMemPage()
{
    m_st.memPage = true;
    m_st.memAction = 0;
    reply(memUnit() + " " + kActionNames[0] + " \r\n" + fmt::prompt(m_st));
}

int Rv5Simulator::applyMemAction()
{
    Rv5State &s = m_st;
    const auto a = static_cast<MemAction>(s.memAction);
    switch (s.sub) {
    case 0: return m_disk.applyShot(s.curFol, s.curStr, s.review, a);
    case 1: return m_disk.applyString(s.curFol, s.curStr, a);
    default: return m_disk.applyFolder(s.curFol, a);  // folder, and the eDisk folder by folder
    }
}

void Rv5Simulator::nextMemUnit()
{
    Rv5State &s = m_st;
    switch (s.sub) {
    case 0: {
        const int slots = m_disk.slots(s.curFol, s.curStr);
        s.review = slots > 0 ? s.review % slots + 1 : 0;
        break;
    }
    case 1:
        s.curStr = s.curStr % s.maxStr + 1;
        s.review = m_disk.slots(s.curFol, s.curStr);
        break;
    default:
        s.curFol = s.curFol % EDisk::kFolders + 1;
        s.curStr = 1;
        s.review = m_disk.slots(s.curFol, s.curStr);
        break;
    }
}

void Rv5Simulator::memPageKey(char c)
{
    Rv5State &s = m_st;
    QByteArray shown;
    switch (c) {
    case kDown:
    case kUp:
        s.memAction = (s.memAction + (c == kDown ? 1 : kActionCount - 1)) % kActionCount;
        shown = memUnit() + " " + kActionNames[s.memAction];
        break;
    case kRight:
    case kPgUp: {
        const QByteArray unit = memUnit();
        const int changed = applyMemAction();
        m_pageApplied << unit + " " + kActionNames[s.memAction];
        shown = unit + " " + kActionNames[s.memAction] + (changed > 0 ? " Done" : " Empty");
        if (c == kPgUp)
            nextMemUnit();
        break;
    }
    case kPgDn:  // closes the page: back to the entry and its value
        s.memPage = false;
        shown = m_menus.value(s.menu, s.item, s.sub);
        break;
    default:  // Left leaves the page and moves as in the menu
        s.memPage = false;
        menuKey(c);
        return;
    }
    reply(shown + " \r\n" + fmt::prompt(s));
}

void Rv5Simulator::cursorKey(char c)
{
    Rv5State &s = m_st;
    switch (c) {
    case kDown:
    case kUp: {
        const int slots = m_disk.slots(s.curFol, s.curStr);
        s.review = std::clamp(s.review + (c == kDown ? 1 : -1), slots > 0 ? 1 : 0, slots);
        break;
    }
    case kRight:
    case kLeft:
        s.curStr = std::clamp(s.curStr + (c == kRight ? 1 : -1), 1, s.maxStr);
        s.review = m_disk.slots(s.curFol, s.curStr);
        break;
    default:  // PgDn: next folder, PgUp: previous folder
        s.curFol = std::clamp(s.curFol + (c == kPgDn ? 1 : -1), 1, int(EDisk::kFolders));
        s.curStr = 1;
        s.review = m_disk.slots(s.curFol, s.curStr);
        break;
    }
    reply(fmt::reviewLine(s, m_disk) + "\r\n" + fmt::prompt(s));
}

void Rv5Simulator::memoryKey(char c)
{
    Rv5State &s = m_st;
    const bool del = (c == kDelShot || c == kDelString || c == kDelFolder);
    QByteArray what = (del ? "\r\nDEL:Fol=" : "\r\nUND:Fol=") + QByteArray::number(s.curFol).rightJustified(2, '0');
    int changed = 0;
    bool slow = true;
    if (c == kDelShot || c == kUndShot) {
        what += " Str=" + QByteArray::number(s.curStr).rightJustified(2, '0') + " Sho="
                + QByteArray::number(s.review).rightJustified(2, '0');
        changed = m_disk.markShot(s.curFol, s.curStr, s.review, del);
    } else if (c == kDelString || c == kUndString) {
        what += " Str=" + QByteArray::number(s.curStr).rightJustified(2, '0');
        changed = m_disk.markString(s.curFol, s.curStr, del);
    } else {
        changed = m_disk.markFolder(s.curFol, del);
        slow = false;  // a folder is one directory entry: no erase cycle
    }
    what += del ? " Erasing..." : " Restoring...";
    const QByteArray tail = (changed > 0 ? " Done" : " Empty") + fmt::capOff(s) + "\r\n" + fmt::prompt(s);
    if (slow)
        send({{what, 0, {}}, {{}, m_opt.deleteDelayMs, {}}, {tail, 0, {}}});
    else
        reply(what + tail);
}

// ---------------------------------------------------------------- output

int Rv5Simulator::takeCutBudget()
{
    if (m_cutOnce >= 0) {
        const int n = m_cutOnce;
        m_cutOnce = -1;
        return n;
    }
    return m_cutEvery;
}

void Rv5Simulator::reply(const QByteArray &text) { send({{text, 0, {}}}); }

void Rv5Simulator::send(const std::vector<Piece> &pieces)
{
    int budget = takeCutBudget();  // -1: the whole answer
    if (m_dropReply)
        budget = 0;
    bool garble = m_garbleReply;
    m_dropReply = m_garbleReply = false;
    for (const Piece &p0 : pieces) {
        Piece p = p0;
        if (garble && !p.bytes.isEmpty()) {
            // One character of the shown text (never the line end or the prompt) turns to junk.
            const qsizetype end = p.bytes.indexOf(" \r\n");
            p.bytes[end > 1 ? end / 2 : 0] = '~';
            garble = false;
        }
        if (!p.bytes.isEmpty()) {
            if (budget < 0) {
                m_tx.sendBytes(p.bytes);
            } else if (budget > 0) {
                m_tx.sendBytes(p.bytes.left(budget));
                budget -= std::min(budget, int(p.bytes.size()));
            }
        } else if (p.pauseMs > 0) {
            if (budget != 0)
                m_tx.pause(p.pauseMs);
        } else if (p.fn) {
            m_tx.action(p.fn);  // state changes happen even when the words were lost
        }
    }
}

void Rv5Simulator::injectGarbage(const QByteArray &bytes) { m_tx.sendBytes(bytes); }

void Rv5Simulator::setGarbageRate(double probability) { m_tx.setGarbageRate(probability, m_opt.seed); }

void Rv5Simulator::setSilent(bool on)
{
    m_silent = on;
    syncShots();
}

void Rv5Simulator::setBabbling(bool on)
{
    if (on)
        m_babble.start();
    else
        m_babble.stop();
}

// ---------------------------------------------------------------- long answers

void Rv5Simulator::listing(int scope)
{
    Rv5State &s = m_st;
    s.menu = 0;
    s.mode = 1;  // a listing always ends in Data mode
    m_busy = Busy::Listing;
    std::vector<Piece> pieces;
    auto addString = [&](int folder, int string) {
        pieces.push_back({"\r\n" + fmt::memHeader(s, m_disk, folder, string), 0, {}});
        for (int n = 1; n <= m_disk.slots(folder, string); ++n) {
            const Shot *shot = m_disk.shot(folder, string, n);
            if (shot && shot->kept())
                pieces.push_back({"\r\n" + fmt::memShot(s, n, *shot), 0, {}});
        }
        pieces.push_back({"\r\n" + fmt::memStringEnd(folder, string), 0, {}});
    };
    if (scope == 1) {
        addString(s.curFol, s.curStr);
    } else {
        const int first = scope == 2 ? s.curFol : 1;
        const int last = scope == 2 ? s.curFol : EDisk::kFolders;
        for (int f = first; f <= last; ++f)
            for (int str = 1; str <= s.maxStr; ++str)
                addString(f, str);
    }
    if (m_listingGarbage > 0) {
        std::vector<Piece> noisy;
        for (size_t i = 0; i < pieces.size(); ++i) {
            noisy.push_back(pieces[i]);
            if ((i + 1) % size_t(m_listingGarbage) == 0)
                noisy.push_back({"\r\n~|\x80\xFF~ #|CAP:~", 0, {}});
        }
        pieces.swap(noisy);
    }
    if (m_stallListing) {
        pieces.resize(1);  // the header goes out, then the chronograph hangs until Esc
        send(pieces);
        return;
    }
    pieces.push_back({{}, 0, [this] { m_busy = Busy::None; }});
    pieces.push_back({"\r\nMMR:<End>" + fmt::capOff(s) + "\r\nDAT>", 0, {}});
    send(pieces);
}

void Rv5Simulator::calibrate()
{
    Rv5State &s = m_st;
    m_busy = Busy::Calibrating;
    s.sensors = false;
    syncShots();
    s.item = s.sub = 0;  // started from a menu it ends at the top of that menu
    const int step = std::max(m_opt.calibrationStepMs, 0);
    const int baseNoise = 6 + s.sensLevel / 8;
    auto noise = [&] { return QByteArray::number(baseNoise + int(m_miscRng.bounded(5))); };
    std::vector<Piece> pieces;
    pieces.push_back({"\r\nCAL:Calibrating SLev=" + QByteArray::number(s.sensLevel) + "% Arc=" + fmt::onOff(s.archery), 0, {}});
    pieces.push_back({{}, step, {}});
    pieces.push_back({"\r\nCAL:Pass-1 Noise " + noise(), 0, {}});
    pieces.push_back({{}, step, {}});
    QByteArray last;
    if (s.archery || s.sensLevel > 60) {
        last = s.archery ? "\r\nCAL:ERR=Cal Archery Mode ON"
                         : "\r\nCAL:ERR=Cal Sensitivity " + QByteArray::number(s.sensLevel) + "% Too High";
        pieces.push_back({{}, 0, [this] { m_busy = Busy::None; }});
    } else {
        pieces.push_back({"\r\nCAL:Pass-2 Noise " + noise(), 0, {}});
        pieces.push_back({{}, step, {}});
        pieces.push_back({"\r\nCAL:Pass-3 Noise " + noise(), 0, {}});
        pieces.push_back({{}, step, {}});
        const int level = 400 + s.sensLevel * 2 + int(m_miscRng.bounded(21));
        last = "\r\nCAL:Done Cal=" + QByteArray::number(level) + " Noise " + noise() + " mV";
        pieces.push_back({{}, 0, [this, level] {
                              m_busy = Busy::None;
                              m_st.calLevel = level;
                              m_st.sensors = true;
                              syncShots();
                          }});
    }
    // Commands are ignored while calibrating, so the prompt known now is the one shown then.
    pieces.push_back({last + "\r\n" + fmt::prompt(s), 0, {}});
    send(pieces);
}

void Rv5Simulator::abortCalibration()
{
    m_tx.clear();
    m_busy = Busy::None;
    m_st.sensors = false;
    syncShots();
    reply("\r\nCAL:Aborted\r\n" + fmt::prompt(m_st));
}

void Rv5Simulator::powerOff(const QByteArray &why)
{
    m_tx.clear();
    m_busy = Busy::None;
    m_st.sensors = false;
    m_st.menu = 0;
    m_st.powered = false;
    syncShots();
    m_babble.stop();
    reply(why);
    Q_EMIT poweredChanged(false);
}

void Rv5Simulator::powerOn()
{
    m_st.powered = true;
    m_st.sensors = false;
    m_st.mode = 1;
    m_st.menu = 1;  // it wakes up showing the top of the Data menu
    m_st.item = m_st.sub = 0;
    reply("\r\nRV5 Power ON\r\n" + fmt::prompt(m_st));
    restartAutoOff();
    Q_EMIT poweredChanged(true);
}

void Rv5Simulator::pressPowerButton()
{
    if (m_st.powered)
        powerOff("\r\nSYS:Power Key... Power OFF\r\n");
    else
        powerOn();
}

void Rv5Simulator::setMinuteMs(int ms)
{
    m_minuteMs = std::max(ms, 1);
    restartAutoOff();
}

void Rv5Simulator::restartAutoOff()
{
    const qint64 minutes = qint64(m_st.pwrDownHrs) * 60 + m_st.pwrDownMin;
    if (!m_st.powered || !m_st.pwrDown || minutes <= 0) {
        m_autoOff.stop();
        return;
    }
    m_autoOff.start(int(std::min<qint64>(minutes * m_minuteMs, 0x7fffffff)));
}

// ---------------------------------------------------------------- shots

double Rv5Simulator::gauss()
{
    // Box-Muller on the seeded generator: same numbers on every platform.
    const double u1 = std::max(m_shotRng.generateDouble(), 1e-12);
    const double u2 = m_shotRng.generateDouble();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double Rv5Simulator::randomVelocity(bool newString)
{
    if (newString || m_base <= 0)
        m_base = m_st.archery ? 280.0 + m_shotRng.bounded(30.0) - 15.0 : 2850.0 + m_shotRng.bounded(160.0) - 80.0;
    return m_base + gauss() * (m_st.archery ? 1.5 : 9.0);
}

double Rv5Simulator::ladderVelocity()
{
    if (m_ladderBreak) {
        m_ladderBreak = false;
        m_ladderFired = 0;
        m_ladderStep = std::min(m_ladderStep + 1, int(m_opt.ladderFps.size()) - 1);
        if (m_disk.slots(m_st.curFol, m_st.curStr) > 0 && m_st.curStr < m_st.maxStr) {
            ++m_st.curStr;  // the last string of a folder fills up and moves on by itself
            m_st.review = m_disk.slots(m_st.curFol, m_st.curStr);
        }
    }
    if (m_opt.ladderShots > 0 && m_ladderFired >= m_opt.ladderShots)
        return 0;
    ++m_ladderFired;
    return m_opt.ladderFps.at(m_ladderStep) + gauss() * 9.0;
}

bool Rv5Simulator::storeShot(double fps, int *folder, int *string, int *number)
{
    Rv5State &s = m_st;
    // New shots go to the current string; a full string moves on to the next one with room.
    // A string whose shots were all cleared is free again.
    for (;;) {
        m_disk.dropClearedString(s.curFol, s.curStr);
        if (m_disk.slots(s.curFol, s.curStr) < s.maxSho)
            break;
        if (++s.curStr > s.maxStr) {
            s.curStr = 1;
            if (++s.curFol > EDisk::kFolders) {
                s.curFol = EDisk::kFolders;
                s.curStr = s.maxStr;
                return false;  // eDisk full
            }
        }
    }
    const bool newString = m_disk.slots(s.curFol, s.curStr) == 0;
    Shot shot;
    shot.fps = fps > 0 ? fps : randomVelocity(newString);
    shot.flightSec = kSensorSpacingFt / shot.fps;
    s.airTempC = std::clamp(s.airTempC + gauss() * 0.05, -20.0, 45.0);
    shot.tempC = s.airTempC;
    m_disk.append(s.curFol, s.curStr, shot);
    *folder = s.curFol;
    *string = s.curStr;
    *number = m_disk.slots(s.curFol, s.curStr);
    s.review = *number;
    ++s.shotTotal;
    s.battery = std::max(6.5, s.battery - 0.0002);
    return true;
}

bool Rv5Simulator::fireShot(double fps)
{
    if (!m_st.powered || !m_st.sensors || m_silent || m_busy != Busy::None)
        return false;
    if (fps <= 0 && !m_opt.ladderFps.isEmpty()) {
        fps = ladderVelocity();
        if (fps <= 0)
            return false;  // this string has its shots
    }
    int f = 0, s = 0, n = 0;
    if (!storeShot(fps, &f, &s, &n)) {
        reply("\r\nMEM:eDisk Full");
        return false;
    }
    ++m_liveShots;
    m_tx.sendBytes("\r\n" + fmt::captureLine(m_st, m_disk, f, s, n));
    restartAutoOff();
    Q_EMIT shotFired(f, s, n);
    return true;
}

void Rv5Simulator::onShotTimer()
{
    if (m_opt.liveShotLimit < 0 || m_liveShots < m_opt.liveShotLimit)
        fireShot();
    syncShots();
}

void Rv5Simulator::setSensors(bool on)
{
    m_st.sensors = on;
    syncShots();
}

void Rv5Simulator::setShotInterval(int ms)
{
    m_opt.shotIntervalMs = ms;
    m_shotTimer.stop();
    syncShots();
}

void Rv5Simulator::setLiveShotLimit(int n)
{
    m_opt.liveShotLimit = n;
    syncShots();
}

void Rv5Simulator::syncShots()
{
    const bool want = m_st.powered && m_st.sensors && !m_silent && m_opt.shotIntervalMs > 0
                      && (m_opt.liveShotLimit < 0 || m_liveShots < m_opt.liveShotLimit);
    if (!want) {
        m_shotTimer.stop();
        m_ladderBreak = m_ladderBreak || !m_st.sensors;
    } else if (!m_shotTimer.isActive()) {
        // Shooters are not metronomes: 70 % to 130 % of the mean gap.
        const double jitter = 0.7 + 0.6 * m_miscRng.generateDouble();
        m_shotTimer.start(std::max(1, int(m_opt.shotIntervalMs * jitter)));
    }
}

} // namespace zx::sim
