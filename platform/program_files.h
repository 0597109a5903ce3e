#pragma once
// Where the program's own files live: the command file of the remote control panel, and later
// the notes, workbook templates, help page and communication logs. On Windows that is the
// executable's folder. Elsewhere it is the per-user data folder, into which the shipped defaults
// are copied the first time a file is asked for, so the user can edit them there; a file that
// already exists in the user's folder is never overwritten.
//
// Shipped defaults are looked for in the install prefix's share/zentrix folder (next to bin/),
// then in the source tree's data/ folder (runs from a build tree). ZX_PROGRAM_DIR replaces the
// user folder (scripts, tests).
#include <QString>
#include <QStringList>

namespace zx {

class ProgramFiles {
public:
    // userDir: where the program's files are read and written; defaultDirs: where shipped
    // defaults are found, first match wins.
    ProgramFiles(QString userDir, QStringList defaultDirs);

    // The desktop program's folders (see above).
    static ProgramFiles forDesktop();

    // The program folder, with a trailing slash.
    QString folder() const;
    // Full path of name in the program folder; a shipped default is copied there first when
    // the file is not there yet. The path is returned even when no such file exists.
    QString path(const QString &name) const;
    // The shipped default of name, or "" when there is none.
    QString shippedDefault(const QString &name) const;

    const QStringList &defaultDirs() const { return m_defaults; }

private:
    QString m_dir;
    QStringList m_defaults;
};

// The user guide (user-guide.md, its pictures in images/ beside it): installed in
// share/doc/zentrix next to bin/, else the source tree's docs/ (a run from the build tree);
// "" when neither holds it.
QString userGuidePath();

} // namespace zx
