#include "cfile/journal_recovery.h"

#include "cfile/capture_journal.h"
#include "cfile/cfile_manager.h"
#include "cfile/logpad.h"
#include "platform/prompter.h"

#include <QFile>
#include <QFileInfo>

namespace zx {

namespace {

// "<path>.old", numbered when an earlier one is there.
QString asidePath(const QString &path)
{
    QString aside = path + QStringLiteral(".old");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".old") + QString::number(n);
    return aside;
}

} // namespace

int recoverJournals(CaptureJournal &journal, CFileManager &files, LogPad &pad, Prompter &prompter)
{
    int recovered = 0;
    for (const CaptureJournal::Entry &e : journal.leftovers()) {
        if (e.text.isEmpty()) {
            QFile::remove(e.path);  // begun, nothing written: nothing to lose
            continue;
        }
        const QString when = e.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const MsgAnswer a = prompter.ask(
            joinLines({QStringLiteral("Zentrix was not closed properly.!"),
                       QStringLiteral("CFile [") + e.caption + QStringLiteral("] has lines that were not saved,"),
                       QStringLiteral("recorded since ") + when + QStringLiteral("."), QString(),
                       QStringLiteral("Recover them into a new CFile.?")}),
            MsgButtons::YesNo, 1, QStringLiteral("LogPad"), MsgIcon::Question);
        if (a == MsgAnswer::Yes) {
            CFileDoc *doc = files.createNewCFile();
            // The new CFile's own journal takes the lines before the old one goes.
            if (doc && pad.appendKeepingFormat(doc, e.text))
                QFile::remove(e.path);
            ++recovered;
            continue;
        }
        const QString aside = asidePath(e.path);
        QFile::rename(e.path, aside);
        prompter.inform(joinLines({QStringLiteral("The lines were not recovered, they are kept in:"), aside}),
                        QStringLiteral("LogPad"));
    }
    return recovered;
}

} // namespace zx
