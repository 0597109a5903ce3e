// Navigation of the chronograph's Data and Stats menus, built from transactions.
// A menu prompt is "MEN><DAT> " or "MEN><STS> " + item digit + sub-item digit + "?".
#include "link/link_session.h"

namespace zx {
namespace {

QString trimSpaces(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

// The value shown before the menu prompt: the text before "MEN>" less the 3 characters
// that precede it.
QString valueBeforeMenu(const QString &rsp)
{
    const qsizetype idx = rsp.indexOf(QLatin1String("MEN>"));
    if (idx < 0)
        return {};
    const qsizetype n = idx - 3;   // 1-based position p = idx + 1; first p - 4 characters
    return n > 0 ? trimSpaces(rsp.left(n)) : QString();
}

} // namespace

bool LinkSession::menuParsePos(int &item, int &sub) const
{
    item = -1;
    sub = int(sCroRsp.size());
    if (sCroRsp.size() < 13 || !sCroRsp.endsWith(QLatin1Char('?')))
        return false;
    const QChar a = sCroRsp.at(sCroRsp.size() - 3);
    const QChar b = sCroRsp.at(sCroRsp.size() - 2);
    item = -2;
    item = a.unicode() - 48;
    sub = b.unicode() - 48;
    return item >= 0 && item <= 9 && sub >= 0 && sub <= 9;
}

bool LinkSession::menuShows(int pos) const
{
    int item = -1, sub = -1;
    return pos > 0 && croTxn.menu == pos / 100 && croTxn.prompt == 0 && menuParsePos(item, sub)
           && 10 * item + sub == pos % 100;
}

QString LinkSession::menuValue() const { return valueBeforeMenu(sCroRsp); }

bool LinkSession::menuGoTo(int menu, int item, int sub)
{
    croTxn.menuPos = 0;
    croTransact(true, QStringLiteral("["), 0, 0);
    if (croTxn.failed)
        return false;
    int ci = -1, cs = -1;
    if (croTxn.menu == 0 && croTxn.prompt == menu) {
        croTransact(false, QStringLiteral("M"), menu + 10, 0);
        if (croTxn.failed || !menuParsePos(ci, cs))
            return false;
    }
    bool outside = croTxn.menu == 0;
    if (croTxn.menu != 0) {
        if (croTxn.menu == menu) {
            if (!menuParsePos(ci, cs) || ci > item || cs > sub)
                outside = true;
        } else {
            outside = true;
        }
    }
    if (outside) {
        croTransact(false, menu == 1 ? QStringLiteral("D") : QStringLiteral("S"), menu == 1 ? 1 : 2, 0);
        if (croTxn.failed)
            return false;
        croTransact(false, QStringLiteral("M"), menu + 10, 0);
        if (croTxn.failed || !menuParsePos(ci, cs))
            return false;
    }
    if (!menuParsePos(ci, cs))
        return false;
    // Every answer names the entry it stands on: a key that was lost or doubled on the way
    // shows up here, before anything is read or changed at the wrong entry.
    while (ci < item) {
        croTransact(true, QStringLiteral("R"), menu + 10, 0);
        ++ci;
        if (croTxn.failed || !menuShows(100 * menu + 10 * ci))
            return false;
    }
    while (cs < sub) {
        croTransact(true, QStringLiteral("D"), menu + 10, 0);
        ++cs;
        if (croTxn.failed || !menuShows(100 * menu + 10 * ci + cs))
            return false;
    }
    croTxn.menuPos = qint16(100 * menu + 10 * item + sub);
    return true;
}

QString LinkSession::menuRead(int menu)
{
    croTransact(true, QStringLiteral("M"), menu + 10, 0);
    return croTxn.failed ? QString() : valueBeforeMenu(sCroRsp);
}

QString LinkSession::menuStep(int menu, bool turnOn)
{
    croTransact(true, turnOn ? QStringLiteral("K") : QStringLiteral("O"), menu + 10, 0);
    return croTxn.failed ? QString() : valueBeforeMenu(sCroRsp);
}

bool LinkSession::setMenuItem(int menu, int item, int sub, bool turnOn)
{
    bool ok = false;
    const int pos = 100 * menu + 10 * item + sub;
    if (menuGoTo(menu, item, sub)) {
        QString v = menuRead(menu);
        // Only a value read at the entry itself counts, before and after the press.
        if (!menuShows(pos))
            v = QStringLiteral("?");
        if (QStringLiteral("ON-OFF").contains(v)) {
            if ((turnOn && v == QLatin1String("OFF")) || (!turnOn && v == QLatin1String("ON"))) {
                v = menuStep(menu, turnOn);
                if (!menuShows(pos))
                    v = QStringLiteral("?");
                cro.bCroSetupChg = true;
                cro.bCroCalOk = false;
            }
            ok = v == (turnOn ? QLatin1String("ON") : QLatin1String("OFF"));
        }
    }
    if (!ok)
        cro.bCroStatusOk = false;
    return ok;
}

} // namespace zx
