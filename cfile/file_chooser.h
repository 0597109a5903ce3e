#pragma once
// File dialogs as an interface: the GUI shows Qt dialogs, tests answer from a queue.
// Filters use the "label|pattern|label|pattern|" form of the document commands.
#include <QStringList>

namespace zx {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Chosen files in the dialog's order; empty when the user pressed Cancel.
    virtual QStringList openFiles(const QString &title, const QString &filter, bool multiple) = 0;
    // Chosen full path; empty when the user pressed Cancel.
    virtual QString saveFile(const QString &title, const QString &proposedName, const QString &filter) = 0;
    // A file to write that may exist or not, with no overwrite question of the dialog's own
    // (the caller asks whether to replace or append). Empty on Cancel.
    virtual QString writeFile(const QString &title, const QString &proposedName, const QString &filter)
    {
        return saveFile(title, proposedName, filter);
    }
    // An existing folder; empty on Cancel (and where no dialog can be shown).
    virtual QString openFolder(const QString &title)
    {
        Q_UNUSED(title);
        return {};
    }
};

// "CFile (*.rtf)|*.rtf|Text (*.txt)|*.txt|" -> {"CFile (*.rtf)", "Text (*.txt)"} for Qt dialogs.
QStringList filterLabels(const QString &pipeFilter);

} // namespace zx
