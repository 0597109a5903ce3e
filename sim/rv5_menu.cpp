#include "sim/rv5_menu.h"

#include "sim/rv5_format.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace zx::sim {

namespace {

enum class Id {
    Label, Archery, SensLevel, CamLevel, Metric, Celsius,
    PosFolder, PosString, PosShot, KeepShot, KeepString, KeepFolder, KeepDisk,
    Average, Spread, StdDev, Backlight, Beep, StringSize, Folders,
    Sensors, Rapid, LowBat, OverTemp, MemAlarm, Battery, PwrDown, PwrTime, Expert
};

struct Entry {
    const char *label;
    Id id;
};

// [menu-1][item] -> sub-items
const std::vector<std::vector<std::vector<Entry>>> &table()
{
    static const std::vector<std::vector<std::vector<Entry>>> t = {
        {   // Data menu
            {{"Setup", Id::Label}, {"Archery", Id::Archery}, {"Sensitivity", Id::SensLevel},
             {"Cam Level", Id::CamLevel}, {"Metric Units", Id::Metric}, {"Celsius", Id::Celsius}},
            {{"Folder", Id::PosFolder}, {"String", Id::PosString}, {"Shot", Id::PosShot}},
            {{"Keep Shot", Id::KeepShot}, {"Keep String", Id::KeepString}, {"Keep Folder", Id::KeepFolder},
             {"Keep eDisk", Id::KeepDisk}},
        },
        {   // Stats menu
            {{"Statistics", Id::Label}, {"Average", Id::Average}, {"Spread", Id::Spread}, {"Std Dev", Id::StdDev}},
            {{"Display", Id::Label}, {"Backlight", Id::Backlight}, {"Beep", Id::Beep}},
            {{"String Size", Id::StringSize}, {"Folders", Id::Folders}},
            {{"Sensors", Id::Sensors}, {"Rapid Fire", Id::Rapid}},
            {{"Alarms", Id::Label}, {"Low Battery", Id::LowBat}, {"Over Temp", Id::OverTemp},
             {"Memory Full", Id::MemAlarm}},
            {{"Power", Id::Label}, {"Battery", Id::Battery}, {"Auto Off", Id::PwrDown}, {"Off Time", Id::PwrTime},
             {"Expert Mode", Id::Expert}},
        },
    };
    return t;
}

const Entry *entry(int menu, int item, int sub)
{
    if (menu < 1 || menu > 2 || item < 0 || item >= Rv5Menus::itemCount(menu) || sub < 0
        || sub >= Rv5Menus::subCount(menu, item))
        return nullptr;
    return &table()[size_t(menu - 1)][size_t(item)][size_t(sub)];
}

const int kLayouts[] = {240, 330, 425, 520, 812, 1010, 1208, 2005, 2504};

bool setFlag(bool &flag, bool on)
{
    const bool changed = flag != on;
    flag = on;
    return changed;
}

bool stepInt(int &v, bool up, int lo, int hi)
{
    const int old = v;
    v = std::clamp(v + (up ? 1 : -1), lo, hi);
    return v != old;
}

QByteArray keptValue(int kept, int slots)
{
    if (slots == 0)
        return "---";
    return kept > 0 ? "ON" : "OFF";
}

QByteArray num(double v, int decimals) { return QByteArray::number(v, 'f', decimals); }

} // namespace

int Rv5Menus::itemCount(int menu) { return (menu == 1 || menu == 2) ? int(table()[size_t(menu - 1)].size()) : 0; }

int Rv5Menus::subCount(int menu, int item)
{
    if (item < 0 || item >= itemCount(menu))
        return 0;
    return int(table()[size_t(menu - 1)][size_t(item)].size());
}

QByteArray Rv5Menus::label(int menu, int item, int sub)
{
    const Entry *e = entry(menu, item, sub);
    return e ? QByteArray(e->label) : QByteArray("?");
}

const int *Rv5Menus::layouts(int *count)
{
    *count = int(std::size(kLayouts));
    return kLayouts;
}

QByteArray Rv5Menus::value(int menu, int item, int sub) const
{
    const Entry *e = entry(menu, item, sub);
    if (!e)
        return "?";
    const Rv5State &s = m_st;
    const ShotStats stats = m_disk.stats(s.curFol, s.curStr);
    const double unit = s.metric ? 0.3048 : 1.0;
    switch (e->id) {
    case Id::Label: return e->label;
    case Id::Archery: return fmt::onOff(s.archery);
    case Id::SensLevel: return QByteArray::number(s.sensLevel);
    case Id::CamLevel: return QByteArray::number(s.camLevel);
    case Id::Metric: return fmt::onOff(s.metric);
    case Id::Celsius: return fmt::onOff(s.celsius);
    case Id::PosFolder: return QByteArray::number(s.curFol);
    case Id::PosString: return QByteArray::number(s.curStr);
    case Id::PosShot: return QByteArray::number(s.review);
    case Id::KeepShot: {
        const Shot *shot = m_disk.shot(s.curFol, s.curStr, s.review);
        return shot ? fmt::onOff(shot->kept()) : QByteArray("---");
    }
    case Id::KeepString:
        return keptValue(m_disk.keptCount(s.curFol, s.curStr), m_disk.slots(s.curFol, s.curStr));
    case Id::KeepFolder: {
        int kept = 0, slots = 0;
        for (int i = 1; i <= m_disk.stringsUsed(s.curFol); ++i) {
            kept += m_disk.keptCount(s.curFol, i);
            slots += m_disk.slots(s.curFol, i);
        }
        return keptValue(kept, slots);
    }
    case Id::KeepDisk: {
        int slots = 0;
        for (int f = 1; f <= EDisk::kFolders; ++f)
            for (int i = 1; i <= m_disk.stringsUsed(f); ++i)
                slots += m_disk.slots(f, i);
        return keptValue(m_disk.totalKept(), slots);
    }
    case Id::Average: return num(stats.av * unit, 2);
    case Id::Spread: return num(stats.es * unit, 2);
    case Id::StdDev: return num(stats.sd * unit, 2);
    case Id::Backlight: return fmt::onOff(s.backlight);
    case Id::Beep: return fmt::onOff(s.beep);
    case Id::StringSize: return QByteArray::number(s.maxStr * 100 + s.maxSho);
    case Id::Folders: return QByteArray::number(EDisk::kFolders);
    case Id::Sensors: return fmt::onOff(s.sensors);
    case Id::Rapid: return fmt::onOff(s.rapid);
    case Id::LowBat: return fmt::onOff(s.lowBatAlarm);
    case Id::OverTemp: return fmt::onOff(s.tempAlarm);
    case Id::MemAlarm: return fmt::onOff(s.memAlarm);
    case Id::Battery: return num(s.battery, 2);
    case Id::PwrDown: return fmt::onOff(s.pwrDown);
    case Id::PwrTime: return QByteArray::number(s.pwrDownHrs * 100 + s.pwrDownMin);
    case Id::Expert: return fmt::onOff(s.expert);
    }
    return "?";
}

bool Rv5Menus::step(int menu, int item, int sub, bool up)
{
    const Entry *e = entry(menu, item, sub);
    if (!e)
        return false;
    Rv5State &s = m_st;
    switch (e->id) {
    case Id::Archery: return setFlag(s.archery, up);
    case Id::SensLevel: return stepInt(s.sensLevel, up, 0, 100);
    case Id::CamLevel: return stepInt(s.camLevel, up, 0, 9);
    case Id::Metric: return setFlag(s.metric, up);
    case Id::Celsius: return setFlag(s.celsius, up);
    case Id::PosFolder:
        if (!stepInt(s.curFol, up, 1, EDisk::kFolders))
            return false;
        s.curStr = 1;
        s.review = m_disk.slots(s.curFol, s.curStr);
        return true;
    case Id::PosString:
        if (!stepInt(s.curStr, up, 1, s.maxStr))
            return false;
        s.review = m_disk.slots(s.curFol, s.curStr);
        return true;
    case Id::PosShot: {
        const int slots = m_disk.slots(s.curFol, s.curStr);
        return stepInt(s.review, up, slots > 0 ? 1 : 0, slots);
    }
    case Id::KeepShot: return m_disk.markShot(s.curFol, s.curStr, s.review, !up) > 0;
    case Id::KeepString: return m_disk.markString(s.curFol, s.curStr, !up) > 0;
    case Id::KeepFolder: return m_disk.markFolder(s.curFol, !up) > 0;
    case Id::KeepDisk: return m_disk.markAll(!up) > 0;
    case Id::Backlight: return setFlag(s.backlight, up);
    case Id::Beep: return setFlag(s.beep, up);
    case Id::StringSize: {
        const int code = s.maxStr * 100 + s.maxSho;
        const int n = int(std::size(kLayouts));
        int i = int(std::lower_bound(kLayouts, kLayouts + n, code) - kLayouts);  // first >= code
        if (up)
            i = (i < n && kLayouts[i] == code) ? i + 1 : i;
        else
            i = i - 1;
        if (i < 0 || i >= n)
            return false;
        s.maxStr = kLayouts[i] / 100;
        s.maxSho = kLayouts[i] % 100;
        s.curStr = std::min(s.curStr, s.maxStr);
        s.review = std::min(s.review, m_disk.slots(s.curFol, s.curStr));
        return true;
    }
    case Id::Sensors: return setFlag(s.sensors, up);
    case Id::Rapid: return setFlag(s.rapid, up);
    case Id::LowBat: return setFlag(s.lowBatAlarm, up);
    case Id::OverTemp: return setFlag(s.tempAlarm, up);
    case Id::MemAlarm: return setFlag(s.memAlarm, up);
    case Id::PwrDown: return setFlag(s.pwrDown, up);
    case Id::PwrTime: {
        int code = s.pwrDownHrs * 60 + s.pwrDownMin;  // in minutes
        if (!stepInt(code, up, 0, 3 * 60 + 59))
            return false;
        s.pwrDownHrs = code / 60;
        s.pwrDownMin = code % 60;
        return true;
    }
    case Id::Expert: return setFlag(s.expert, up);
    default: return false;  // labels and read-only values
    }
}

} // namespace zx::sim
