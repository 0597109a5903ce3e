#include "export/export_options.h"

#include "export/export_settings_keys.h"

namespace zx::xls {

namespace {

// One table drives load and save so the two cannot drift apart.
template <typename Options, typename Fn>
void forEachSwitch(Options &o, Fn fn)
{
    namespace k = keys::frmExpSet;
    fn(k::ExpShowINots, o.showINotes);
    fn(k::ExpExcXSet, o.fromSetupSheet);
    fn(k::ExpExcUHed0, o.unitsTopRow);
    fn(k::ExpExcUHed1, o.unitsEveryString);
    fn(k::ExpExcUHed2, o.unitsAfterValue);
    fn(k::ExpExcNHed0, o.namesTopRow);
    fn(k::ExpExcNHed1, o.namesEveryString);
    fn(k::ExpExcFSts0, o.incrementalStats);
    fn(k::ExpExcFSts1, o.summaryStats);
    fn(k::ExpExcFSts2, o.powerEnergy);
    fn(k::ExpExcIPos0, o.folderNumbers);
    fn(k::ExpExcIPos1, o.stringNumbers);
    fn(k::ExpExcIPos2, o.thirdPosition);
    fn(k::ExpExcXLog, o.showLogPad);
}

} // namespace

ExportOptions ExportOptions::load(const SettingsStore &store, const QString &app)
{
    ExportOptions o;
    o.destination = store.readInt(app, keys::frmExpSet::ExpDestin);
    forEachSwitch(o, [&](const SettingKey &k, bool &field) { field = store.readBool(app, k); });
    return o;
}

void ExportOptions::save(SettingsStore &store, const QString &app) const
{
    store.writeInt(app, keys::frmExpSet::ExpDestin, destination);
    forEachSwitch(*this, [&](const SettingKey &k, const bool &field) { store.writeBool(app, k, field); });
}

void ExportOptions::setButtonDefaults()
{
    const bool keepLogPad = showLogPad;
    *this = ExportOptions{};
    namesEveryString = false;
    showLogPad = keepLogPad;
}

} // namespace zx::xls
