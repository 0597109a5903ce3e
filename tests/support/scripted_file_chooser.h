#pragma once
// Test double for the file dialogs: answers from a queue (an empty answer is Cancel) and
// records every dialog's title and proposed name. Like a real open dialog it refuses names of
// files that do not exist (the answer is then Cancel); save and write dialogs take any name.
#include "cfile/file_chooser.h"

#include <QList>
#include <QStringList>

namespace zx::test {

class ScriptedFileChooser : public zx::FileChooser {
public:
    struct Call {
        bool save;
        QString title;
        QString proposed;
        QString filter;
    };

    QStringList openFiles(const QString &title, const QString &filter, bool multiple) override;
    QString saveFile(const QString &title, const QString &proposedName, const QString &filter) override;

    void queueOpen(const QStringList &files) { m_open << files; }
    void queueSave(const QString &path) { m_save << path; }
    // Folder dialogs take any answer, like save dialogs.
    QString openFolder(const QString &title) override;
    void queueFolder(const QString &path) { m_folders << path; }
    const QList<Call> &calls() const { return m_calls; }
    int count() const { return m_calls.size(); }
    const Call &last() const { return m_calls.last(); }
    // Names an open dialog refused (not there).
    const QStringList &refused() const { return m_refused; }

private:
    QList<QStringList> m_open;
    QStringList m_save;
    QStringList m_folders;
    QList<Call> m_calls;
    QStringList m_refused;
};

} // namespace zx::test
