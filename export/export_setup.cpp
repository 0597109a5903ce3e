#include "export/export_setup.h"
#include "platform/crlf.h"

#include "export/export_setup_actions.h"
#include "platform/prompter.h"

namespace zx::xls {

namespace {
constexpr int kNoteWorkbookLinked = 4;
} // namespace

ExportSetup::ExportSetup(ExportOptions &options, SettingsStore &store, QString app, Prompter &prompter,
                         ExportSetupActions &actions)
    : m_options(options), m_store(store), m_app(std::move(app)), m_prompter(prompter), m_actions(&actions)
{
}

void ExportSetup::open()
{
    m_options = ExportOptions::load(m_store, m_app);
    m_saveEnabled = false;
    m_progressVisible = false;
    m_settingsEnabled = true;
    changed();
}

bool ExportSetup::linked() const { return m_actions->isLinked(); }

void ExportSetup::setDestination(int index)
{
    m_options.destination = index;
    m_saveEnabled = true;
    changed();
}

void ExportSetup::setOption(bool ExportOptions::*field, bool on)
{
    m_options.*field = on;
    m_saveEnabled = true;
    changed();
}

void ExportSetup::save()
{
    m_options.save(m_store, m_app);
    m_saveEnabled = false;
    changed();
}

void ExportSetup::setDefaults()
{
    m_options.setButtonDefaults();
    m_saveEnabled = false;
    changed();
}

void ExportSetup::restore() { open(); }

void ExportSetup::newWorkbook()
{
    progress(QStringLiteral("Please Wait..."));
    if (m_actions->isLinked()) {
        noteLinked();
        return;
    }
    progress(QStringLiteral("Loading Excel..."));
    if (m_actions->newWorkbook()) {
        progress(QStringLiteral("Done..."));
        return;
    }
    const QString failed = QStringLiteral("Faialed to Connect to Excel.!");
    progress(failed);
    const QString cause = m_actions->lastError();
    tell(cause.isEmpty() ? failed : failed + kCrLf + cause);
}

void ExportSetup::noteLinked()
{
    if (hooks.postNote)
        hooks.postNote(kNoteWorkbookLinked);
    m_progressVisible = false; // nothing is under way
    changed();
}

void ExportSetup::openWorkbook()
{
    progress(QStringLiteral("Please Wait..."));
    if (m_actions->isLinked()) {
        noteLinked();
        return;
    }
    // The question is one of the help prompts: asked while they are on.
    if (m_options.showINotes
        && m_prompter.ask(QStringLiteral("Do you want to open your own Workbook?"), MsgButtons::YesNo, 2)
               != MsgAnswer::Yes) {
        m_progressVisible = false;
        changed();
        return;
    }
    if (hooks.closeWindow)
        hooks.closeWindow();
    m_actions->openOwnWorkbook();
    m_progressVisible = false; // the export told its own outcome
    changed();
}

void ExportSetup::closeWorkbook()
{
    progress(QStringLiteral("Please Wait..."));
    if (m_actions->isLinked()) {
        if (hooks.closeWindow)
            hooks.closeWindow();
        m_actions->closeWorkbook();
        return;
    }
    tell(QStringLiteral("Nothing to do..!") + kCrLf + QStringLiteral("There are no Excel Workbooks connected to Zentrix."));
    m_progressVisible = false;
    changed();
}

void ExportSetup::applySetup(int sheetIndex)
{
    if (!m_actions->isLinked()) {
        tell(QStringLiteral("Nothing to do..!") + kCrLf + QStringLiteral("There are No Excel workbooks Connected to Zentrix."));
        return;
    }
    m_settingsEnabled = false;
    progress(QStringLiteral("Please Wait - Aplying Setup To Excel..."));
    m_actions->applySetup(sheetIndex);
    m_settingsEnabled = true;
    m_progressVisible = false;
    changed();
}

bool ExportSetup::queryClose()
{
    if (!m_saveEnabled)
        return true;
    switch (m_prompter.ask(QStringLiteral("Setup has changed!") + kCrLf + QStringLiteral("Save Changes Before Closing..?"),
                           MsgButtons::YesNoCancel, 3)) {
    case MsgAnswer::Yes: save(); return true;
    case MsgAnswer::No: return true;
    default: return false;
    }
}

void ExportSetup::unloaded()
{
    if (hooks.restoreMainIfMinimized)
        hooks.restoreMainIfMinimized();
}

void ExportSetup::changed()
{
    if (hooks.changed)
        hooks.changed();
}

void ExportSetup::progress(const QString &text)
{
    m_progressVisible = true;
    m_progressText = text;
    changed();
}

void ExportSetup::tell(const QString &text)
{
    MsgRequest r;
    r.text = text;
    r.systemModal = true;
    r.foreground = true;
    m_prompter.show(r);
}

} // namespace zx::xls
