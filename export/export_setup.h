#pragma once
// The export options window's logic (frmExpSet): the options it edits and when they are
// stored, the state of its "Save" button and progress frame, its workbook and "Apply Setup to"
// buttons with their messages, and the question asked when it closes with unsaved changes.
#include "export/export_options.h"

#include <functional>

namespace zx {
class Prompter;
}

namespace zx::xls {

class ExportSetupActions;

class ExportSetup {
public:
    ExportSetup(ExportOptions &options, SettingsStore &store, QString app, Prompter &prompter,
                ExportSetupActions &actions);

    // The window's doings the logic asks for; any may stay empty.
    struct Hooks {
        std::function<void()> changed;         // options or button state changed: refill
        std::function<void()> closeWindow;     // unload the window (as its Exit does)
        std::function<void(int)> postNote;     // a note of the notes window by number
        std::function<void()> restoreMainIfMinimized;
        std::function<void()> help;            // cmdHelp
    } hooks;

    // The workbook link's side (replaced once the link exists).
    void setActions(ExportSetupActions &actions) { m_actions = &actions; }

    bool softTest = false; // software test mode: enables the test-only controls

    // Opening: options loaded, "Save" disabled, progress frame hidden.
    void open();
    const ExportOptions &options() const { return m_options; }
    bool saveEnabled() const { return m_saveEnabled; }
    bool progressVisible() const { return m_progressVisible; }
    const QString &progressText() const { return m_progressText; }
    bool settingsEnabled() const { return m_settingsEnabled; }
    bool linked() const; // "Linked to RV5" (display only)

    // Any option change writes its field at once and enables "Save".
    void setDestination(int index);
    void setOption(bool ExportOptions::*field, bool on);

    // cmdExpSetKey 0, 1, 2; each leaves "Save" disabled.
    void save();
    void setDefaults();
    void restore();

    // cmdBukKey 0, 1, 2.
    void newWorkbook();
    void openWorkbook();
    void closeWorkbook();
    // cmdRfrsh: sheet index 1 to 5.
    void applySetup(int sheetIndex);

    // Exit and the window's close box: false keeps the window (Cancel).
    bool queryClose();
    // The window has gone.
    void unloaded();

private:
    void changed();
    void noteLinked();
    void progress(const QString &text);
    void tell(const QString &text);

    ExportOptions &m_options;
    SettingsStore &m_store;
    QString m_app;
    Prompter &m_prompter;
    ExportSetupActions *m_actions;
    bool m_saveEnabled = false;
    bool m_progressVisible = false;
    bool m_settingsEnabled = true;
    QString m_progressText;
};

} // namespace zx::xls
