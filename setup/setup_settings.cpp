#include "setup/setup_settings.h"

#include "link/cro_state.h"
#include "link/link_session.h"
#include "setup/cro_setup.h"

#include <QRegularExpression>

namespace zx {

namespace {

enum class Kind { OnOff, Level, Units, TempUnits, Time, Size, Mode };

struct Setting {
    const char *name;
    Kind kind;
};

const Setting kSettings[] = {
    {"sensors", Kind::OnOff},          {"sensitivity", Kind::Level},      {"archery", Kind::OnOff},
    {"rapid-fire", Kind::OnOff},       {"velocity-units", Kind::Units},   {"temperature-units", Kind::TempUnits},
    {"power-down", Kind::OnOff},       {"power-down-time", Kind::Time},   {"string-size", Kind::Size},
    {"mode", Kind::Mode},              {"memory-alarm", Kind::OnOff},     {"expert-mode", Kind::OnOff},
    {"send-capture-tag", Kind::OnOff}, {"send-temperature", Kind::OnOff}, {"send-stats", Kind::OnOff},
};

const Setting *find(const QString &name)
{
    for (const Setting &s : kSettings)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

// "h:mm" -> hours x 100 + minutes; -1 when malformed or past 3:59.
int timeCode(const QString &v)
{
    static const QRegularExpression re(QStringLiteral("^(\\d):(\\d\\d)$"));
    const auto m = re.match(v);
    if (!m.hasMatch() || m.captured(1).toInt() > 3 || m.captured(2).toInt() > 59)
        return -1;
    return m.captured(1).toInt() * 100 + m.captured(2).toInt();
}

// "strings x shots" -> strings x 100 + shots; -1 when malformed or out of 1..99.
int sizeCode(const QString &v)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})x(\\d{1,2})$"));
    const auto m = re.match(v);
    if (!m.hasMatch() || m.captured(1).toInt() < 1 || m.captured(2).toInt() < 1)
        return -1;
    return m.captured(1).toInt() * 100 + m.captured(2).toInt();
}

QString allowed(Kind k)
{
    switch (k) {
    case Kind::OnOff: return QStringLiteral("on or off");
    case Kind::Level: return QStringLiteral("a level from 0 to 100");
    case Kind::Units: return QStringLiteral("f/s or m/s");
    case Kind::TempUnits: return QStringLiteral("fah or cel");
    case Kind::Time: return QStringLiteral("a time h:mm from 0:00 to 3:59");
    case Kind::Size: return QStringLiteral("strings x shots, each 1 to 99 (e.g. 5x20)");
    case Kind::Mode: return QStringLiteral("data or stats");
    }
    return {};
}

} // namespace

QStringList setupSettingNames()
{
    QStringList names;
    for (const Setting &s : kSettings)
        names << QString::fromLatin1(s.name);
    return names;
}

QString setupValue(CroSetup &setup, const QString &name)
{
    const CroState &c = setup.cro();
    const CroSetup::Shown &s = setup.shown();
    const auto sw = [&](CroSetup::Switch w, bool on) { return setup.unknown(w) ? QStringLiteral("unknown") : onOff(on); };
    if (name == QLatin1String("sensors")) return onOff(c.bCroSensorsOn);
    if (name == QLatin1String("sensitivity")) return QString::number(c.iCroSensLevel);
    if (name == QLatin1String("archery")) return onOff(c.bCroArcheryOn);
    if (name == QLatin1String("rapid-fire")) return onOff(c.bCroRapidOn);
    if (name == QLatin1String("velocity-units")) return c.sCroVelUnits;
    if (name == QLatin1String("temperature-units")) return c.sCroTmpUnits;
    if (name == QLatin1String("power-down")) return onOff(c.bCroPwrDown);
    if (name == QLatin1String("power-down-time"))
        return QStringLiteral("%1:%2").arg(c.iCroPwrDownHrs).arg(c.iCroPwrDownMin, 2, 10, QLatin1Char('0'));
    if (name == QLatin1String("string-size")) return QStringLiteral("%1x%2").arg(c.iCroMaxStr).arg(c.iCroMaxSho);
    if (name == QLatin1String("mode"))
        return s.mode == 0 ? QStringLiteral("data") : s.mode == 1 ? QStringLiteral("stats") : QStringLiteral("unknown");
    if (name == QLatin1String("memory-alarm")) return sw(CroSetup::MemAlarm, setup.bCroMemAlarm);
    if (name == QLatin1String("expert-mode")) return sw(CroSetup::ExpertMode, setup.bCroExpertMode);
    if (name == QLatin1String("send-capture-tag")) return onOff(c.bCroLogJ);
    if (name == QLatin1String("send-temperature")) return onOff(c.bCroLogK);
    if (name == QLatin1String("send-stats")) return onOff(c.bCroLogL);
    return {};
}

QList<QPair<QString, QString>> setupValues(CroSetup &setup)
{
    QList<QPair<QString, QString>> out;
    for (const QString &n : setupSettingNames())
        out.append({n, setupValue(setup, n)});
    const CroState &c = setup.cro();
    const auto add = [&out](const char *n, const QString &v) { out.append({QString::fromLatin1(n), v}); };
    add("battery", QString::number(double(c.fCroBattery)) + QStringLiteral(" Volts"));
    add("temperature", QString::number(double(c.fCroTemp)));
    add("calibration-level", QString::number(c.iCroCalLevel));
    add("folders", QString::number(c.iCroMaxFol));
    add("position", QStringLiteral("folder %1 string %2 shot %3 next %4")
                        .arg(c.iCroCurFol).arg(c.iCroCurStr).arg(c.iCroShotReview).arg(c.iCroShotPos));
    return out;
}

QString checkSetupValue(const QString &name, const QString &value)
{
    const Setting *s = find(name);
    if (!s)
        return QStringLiteral("unknown setting %1; one of: %2").arg(name, setupSettingNames().join(QStringLiteral(", ")));
    bool ok = false;
    switch (s->kind) {
    case Kind::OnOff: ok = value == QLatin1String("on") || value == QLatin1String("off"); break;
    case Kind::Level: {
        const int n = value.toInt(&ok);
        ok = ok && n >= 0 && n <= 100;
        break;
    }
    case Kind::Units: ok = value == QLatin1String("f/s") || value == QLatin1String("m/s"); break;
    case Kind::TempUnits: ok = value == QLatin1String("fah") || value == QLatin1String("cel"); break;
    case Kind::Time: ok = timeCode(value) >= 0; break;
    case Kind::Size: ok = sizeCode(value) >= 0; break;
    case Kind::Mode: ok = value == QLatin1String("data") || value == QLatin1String("stats"); break;
    }
    return ok ? QString() : QStringLiteral("%1 takes %2, not \"%3\"").arg(name, allowed(s->kind), value);
}

bool applySetupValue(CroSetup &setup, const QString &name, const QString &value)
{
    const bool on = value == QLatin1String("on");
    if (name == QLatin1String("sensors")) return setup.setOnOff(CroSetup::Sensors, on);
    if (name == QLatin1String("archery")) return setup.setOnOff(CroSetup::Archery, on);
    if (name == QLatin1String("rapid-fire")) return setup.setOnOff(CroSetup::RapidFire, on);
    if (name == QLatin1String("sensitivity")) return setup.sensLevelTo(value.toInt());
    if (name == QLatin1String("velocity-units")) return setup.setVelUnits(value == QLatin1String("m/s") ? 1 : 0);
    if (name == QLatin1String("temperature-units")) return setup.setSwitch(CroSetup::TempUnits, value == QLatin1String("cel"));
    if (name == QLatin1String("power-down")) return setup.setSwitch(CroSetup::PwrDownOn, on);
    if (name == QLatin1String("memory-alarm")) return setup.setSwitch(CroSetup::MemAlarm, on);
    if (name == QLatin1String("expert-mode")) return setup.setSwitch(CroSetup::ExpertMode, on);
    if (name == QLatin1String("power-down-time")) return setup.pwrDownTo(timeCode(value));
    if (name == QLatin1String("string-size")) return setup.stringSizeTo(sizeCode(value));
    if (name == QLatin1String("mode")) return setup.setMode(value == QLatin1String("stats") ? 1 : 0);
    const QStringList logs{QStringLiteral("send-capture-tag"), QStringLiteral("send-temperature"), QStringLiteral("send-stats")};
    if (logs.contains(name)) return setup.setSendLog(int(logs.indexOf(name)), on);
    return false;
}

} // namespace zx
