#pragma once
// A CFile for the commands that write one (capture, download): no dialogs in the console,
// the output file is named on the command line and checked for a known extension.
#include "cfile/cfile_manager.h"
#include "cfile/file_chooser.h"
#include "cfile/logpad.h"
#include "platform/settings_store.h"

#include <QString>

namespace zx::cli {

class NoFileChooser : public FileChooser {
public:
    QStringList openFiles(const QString &, const QString &, bool) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
};

// The extension class of FILE for --out (rich or plain); -1 after printing the reason when
// the name is missing or its extension unknown.
int outFileClass(const QString &out);

// Reads FILE into doc: rich or plain by its extension, by its content when the extension is
// unknown; false after printing the error.
bool loadAnyCFile(QTextDocument &doc, const QString &path);

// One new CFile with its LogPad.
struct CliCFile {
    CliCFile(Prompter &prompter, const QString &appName) : files(prompter, chooser, store, appName), pad(files)
    {
        files.createNewCFile();
    }
    // Saves the active CFile as FILE (rich or plain by cls); false after printing the error.
    bool save(const QString &out, int cls);

    SettingsStore store;
    NoFileChooser chooser;
    CFileManager files;
    LogPad pad;
};

} // namespace zx::cli
