#include "sim/rv5_format.h"

namespace zx::sim::fmt {

namespace {

QByteArray d2(int v) { return QByteArray::number(qBound(0, v, 99)).rightJustified(2, '0'); }

QByteArray fixed(double v, int decimals) { return QByteArray::number(v, 'f', decimals); }

QByteArray stats(const Rv5State &st, const ShotStats &s)
{
    return "Lo=" + velocity(st, s.lo) + " Hi=" + velocity(st, s.hi) + " Av=" + velocity(st, s.av)
           + " Es=" + velocity(st, s.es) + " Sd=" + velocity(st, s.sd);
}

} // namespace

QByteArray onOff(bool on) { return on ? "ON" : "OFF"; }

QByteArray menuPrompt(int menu, int item, int sub)
{
    return QByteArray(menu == 2 ? "MEN><STS> " : "MEN><DAT> ") + char('0' + item) + char('0' + sub) + '?';
}

QByteArray prompt(const Rv5State &st)
{
    if (st.menu > 0)
        return menuPrompt(st.menu, st.item, st.sub);
    return st.mode == 2 ? "STS>" : "DAT>";
}

QByteArray capOff(const Rv5State &st) { return st.sensors ? QByteArray() : QByteArray(" CAP=OFF"); }

QByteArray velocity(const Rv5State &st, double fps) { return fixed(st.metric ? fps * 0.3048 : fps, 2); }

QByteArray temperature(const Rv5State &st, double c) { return fixed(st.celsius ? c : c * 9.0 / 5.0 + 32.0, 1); }

QByteArray signOn(const Rv5State &st, const EDisk &disk)
{
    const QByteArray model = st.model.toLatin1().left(4);
    QByteArray a;
    a += "\r\n" + model + " Ballistic Chronograph - www." + kBannerMarker;
    a += "\r\nVantor Instruments, " + model + ":V" + QByteArray::number(st.version) + "S/N "
         + QByteArray::number(st.serial).rightJustified(5, '0');
    a += "\r\nSYS:" + QByteArray::number(qBound(0, st.shotTotal, 32767)).rightJustified(5, '0')
         + " Bat=" + fixed(st.battery, 2) + "V Tmp=" + fixed(st.caseTempC, 1) + "c PwrDown="
         + onOff(st.pwrDown) + "=" + d2(st.pwrDownHrs) + ":" + d2(st.pwrDownMin) + " Faf=" + onOff(st.rapid)
         + " Arc=" + onOff(st.archery) + " Sens=" + onOff(st.sensors) + " SLev=" + QByteArray::number(st.sensLevel)
         + "% Cal=" + QByteArray::number(st.calLevel);
    a += "\r\nK*Log=" + onOff(st.logK) + " L*Log=" + onOff(st.logL) + " J*Log=" + onOff(st.logJ)
         + " Cam=" + QByteArray::number(st.camLevel);
    a += "\r\nVel=" + st.velUnits().toLatin1() + " Tmp=" + st.tmpUnits().toLatin1() + " Tim="
         + st.timUnits().toLatin1();
    a += "\r\nMaxFol=" + QByteArray::number(EDisk::kFolders) + " MaxStr=" + QByteArray::number(st.maxStr)
         + " MaxSho=" + QByteArray::number(st.maxSho);
    a += "\r\nAtt=" + d2(st.curFol) + " " + d2(st.curStr) + " " + d2(st.review) + " "
         + d2(disk.slots(st.curFol, st.curStr));
    a += "\r\nReady" + capOff(st);
    return a;
}

QByteArray sensorLine(const Rv5State &st)
{
    return "\r\nSLev=" + QByteArray::number(st.sensLevel) + "% Arc=" + onOff(st.archery) + " Faf="
           + onOff(st.rapid) + " Sens=" + onOff(st.sensors);
}

QByteArray memPosition(const Rv5State &st, const EDisk &disk)
{
    const int siz = disk.lastKept(st.curFol, st.curStr);
    return "\r\nMEM:Position   Fol=" + d2(st.curFol) + " Str=" + d2(st.curStr) + " Siz=" + d2(siz)
           + " Sho=" + d2(st.review) + "\r\nAtt=" + d2(st.curFol) + " " + d2(st.curStr) + " " + d2(siz) + " "
           + d2(st.review);
}

QByteArray statsLine(const Rv5State &st, const EDisk &disk)
{
    const ShotStats s = disk.stats(st.curFol, st.curStr);
    return "\r\nSTA:Fol=" + d2(st.curFol) + " Str=" + d2(st.curStr) + " N=" + d2(s.n) + " " + stats(st, s) + " "
           + st.velUnits().toLatin1();
}

QByteArray captureLine(const Rv5State &st, const EDisk &disk, int folder, int string, int number)
{
    const Shot *s = disk.shot(folder, string, number);
    if (!s)
        return {};
    QByteArray a = st.logJ ? "CAP:" : "";
    a += "#" + d2(number) + " " + velocity(st, s->fps).rightJustified(7) + " " + st.velUnits().toLatin1() + " "
         + fixed(s->flightSec, 6) + " sec "
         + (st.logK ? temperature(st, s->tempC) : QByteArray("999.9")).rightJustified(5) + " "
         + st.tmpUnits().toLatin1();
    if (st.logL)
        a += " " + stats(st, disk.stats(folder, string));
    return a;
}

QByteArray memHeader(const Rv5State &st, const EDisk &disk, int folder, int string)
{
    return "MMR:Fol=" + d2(folder) + " Str=" + d2(string) + " Siz=" + d2(disk.lastKept(folder, string))
           + " Vel=" + st.velUnits().toLatin1() + " Tim=" + st.timUnits().toLatin1() + " Tmp="
           + st.tmpUnits().toLatin1();
}

QByteArray memShot(const Rv5State &st, int number, const Shot &s)
{
    // Compact on purpose: a full eDisk must list within the 90 s the program allows.
    return "MMR:" + d2(number) + " " + velocity(st, s.fps) + " " + fixed(s.flightSec, 6) + " "
           + temperature(st, s.tempC);
}

QByteArray memStringEnd(int folder, int string) { return "MMR:<End> Fol=" + d2(folder) + " Str=" + d2(string); }

QByteArray reviewLine(const Rv5State &st, const EDisk &disk)
{
    QByteArray a = "\r\nREV:Fol=" + d2(st.curFol) + " Str=" + d2(st.curStr) + " Sho=" + d2(st.review);
    const Shot *s = disk.shot(st.curFol, st.curStr, st.review);
    if (!s)
        return a + " Empty";
    if (!s->kept())
        return a + (s->cleared ? " Empty" : " Deleted");
    return a + " Vel=" + velocity(st, s->fps) + " " + st.velUnits().toLatin1();
}

} // namespace zx::sim::fmt
