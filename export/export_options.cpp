#include "export/export_options.h"

#include "export/export_settings_keys.h"
#include "export/export_template.h"
#include "workbook/workbook.h"

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

struct SheetSwitch {
    const SettingKey &key;
    bool ExportOptions::*field;
};

// Row order of the switches on the "iSetup" sheet (the template writes them in this order).
const SheetSwitch kSheetSwitches[] = {
    {keys::frmExpSet::ExpExcUHed0, &ExportOptions::unitsTopRow},
    {keys::frmExpSet::ExpExcUHed1, &ExportOptions::unitsEveryString},
    {keys::frmExpSet::ExpExcUHed2, &ExportOptions::unitsAfterValue},
    {keys::frmExpSet::ExpExcNHed0, &ExportOptions::namesTopRow},
    {keys::frmExpSet::ExpExcNHed1, &ExportOptions::namesEveryString},
    {keys::frmExpSet::ExpExcFSts0, &ExportOptions::incrementalStats},
    {keys::frmExpSet::ExpExcFSts1, &ExportOptions::summaryStats},
    {keys::frmExpSet::ExpExcFSts2, &ExportOptions::powerEnergy},
    {keys::frmExpSet::ExpExcIPos0, &ExportOptions::folderNumbers},
    {keys::frmExpSet::ExpExcIPos1, &ExportOptions::stringNumbers},
    {keys::frmExpSet::ExpExcIPos2, &ExportOptions::thirdPosition},
};

} // namespace

bool readSetupSheetSwitches(const wb::Worksheet &sheet, ExportOptions *options, QString *error)
{
    constexpr int kValueColumn = 4; // D
    ExportOptions read = *options;
    int row = kFirstSwitchRow;
    for (const SheetSwitch &s : kSheetSwitches) {
        const wb::CellValue v = sheet.value(row, kValueColumn);
        const QString text = wb::displayText(v).trimmed().toUpper();
        if (!wb::isText(v) || (text != QLatin1String("YES") && text != QLatin1String("NO"))) {
            if (error) {
                const QString cell = wb::cellName(row, kValueColumn);
                const QString what = wb::isEmpty(v) ? QStringLiteral("is empty")
                                                    : QStringLiteral("holds \"%1\"").arg(wb::displayText(v));
                *error = QStringLiteral("Cell %1 of the \"%2\" sheet %3; the switch %4 must read YES or NO.")
                             .arg(cell, sheet.name(), what, QLatin1String(s.key.key));
            }
            return false;
        }
        read.*s.field = text == QLatin1String("YES");
        ++row;
    }
    *options = read;
    return true;
}

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
