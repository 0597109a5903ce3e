// Memory operations: delete, undelete and restore of the shot, string or folder under the
// chronograph's cursor, and clear and restore of the whole eDisk, through the memory page.
#include "remote/mem_page.h"
#include "platform/crlf.h"
#include "remote/remote_ops.h"

#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/progress_sink.h"
#include "platform/prompter.h"
#include "remote/remote_ops_host.h"

namespace zx {

namespace {

constexpr int kFolders = 10;

MemPage::Action pageAction(int operation)
{
    switch (operation) {
    case RemoteOps::OpDelete: return MemPage::Delete;
    case RemoteOps::OpUnDelete: return MemPage::UnDelete;
    default: return MemPage::Restore;
    }
}

} // namespace

QString RemoteOps::memTitle(int operation, int scope, int number)
{
    if (scope == MemEDisk)
        return operation == OpDelete ? QStringLiteral("Clear eDisk")
                                     : (operation == OpUnDelete ? QStringLiteral("UnDelete eDisk")
                                                                : QStringLiteral("Restore eDisk"));
    const QString op = operation == OpDelete ? QStringLiteral("Delete ")
                       : operation == OpUnDelete ? QStringLiteral("UnDelete ")
                                                 : QStringLiteral("Restore ");
    const QString what = scope == MemShot ? QStringLiteral("Shot #")
                         : scope == MemString ? QStringLiteral("String #")
                                              : QStringLiteral("Folder #");
    return op + what + QString::number(number);
}

QString RemoteOps::memQuestion(int operation, int scope)
{
    static const char *const ops[] = {"Delete", "UnDelete", "Restore"};
    static const char *const scopes[] = {"Shot", "String", "Folder"};
    if (scope == MemEDisk)
        return memTitle(operation, scope, 0);
    return QString::fromLatin1(ops[(operation - 1) % 3]) + QLatin1Char(' ') + QString::fromLatin1(scopes[scope % 3]);
}

QString RemoteOps::memUnits(int operation, int scope, int folder, int string, int shot, int strings)
{
    const QString verb = operation == OpDelete ? QStringLiteral("Erases: ") : QStringLiteral("Brings back: ");
    const QString fol = QStringLiteral("Folder ") + QString::number(folder);
    const QString str = QStringLiteral("String ") + QString::number(string);
    switch (scope) {
    case MemShot:
        return verb + QStringLiteral("Shot ") + QString::number(shot) + QStringLiteral(" of ") + str + QStringLiteral(" in ") + fol;
    case MemString:
        return verb + str + QStringLiteral(" of ") + fol + QStringLiteral(", every shot in it");
    case MemFolder:
        return verb + fol + QStringLiteral(", every string in it");
    default:
        return operation == OpDelete
                   ? verb + QStringLiteral("Folders 1 to ") + QString::number(kFolders)
                         + QStringLiteral(", every shot in the eDisk (new shots reuse their slots)")
                   : verb + QStringLiteral("Folders 1 to ") + QString::number(kFolders) + QStringLiteral(", strings 1 to ")
                         + QString::number(strings);
    }
}

bool RemoteOps::croMemOp(int operation, int scope)
{
    const std::array<bool, 3> links = m_link.bRxTo;
    const int prep = prepare(true);
    if (prep == kNothingSent) {
        m_link.bRxTo = links;
        return false;
    }
    CroState &st = m_link.cro;
    CroTxn &txn = m_link.croTxn;
    ProgressSink &progress = m_host.progress();
    MemPage page(m_link);
    memOpRunning = true;

    // step: where it failed (part of the failure line); 0 all went well.
    int step = prep;
    bool sensorsWereOn = false, aborted = false, lineOpen = false;
    MemPos pos;
    if (step == 0) {
        m_ops.getStatus();
        sensorsWereOn = st.bCroSensorsOn;
        if (!st.bCroStatusOk || !page.readMemPos(pos))
            step = 2;
    }
    const bool eDisk = scope == MemEDisk;
    const bool clear = eDisk && operation == OpDelete;
    const int number = scope == MemShot ? pos.shot : scope == MemString ? pos.string : pos.folder;
    const QString title = memTitle(operation, scope, number);
    // Asked once the position is known, so that the question names the units; nothing that
    // changes the chronograph has been sent yet.
    if (step == 0
        && !m_host.confirmMemOp(memQuestion(operation, scope),
                                memUnits(operation, scope, pos.folder, pos.string, pos.shot, st.iCroMaxStr), clear)) {
        progressLog(QStringLiteral("Aborted by the user..!"));
        m_link.bRxTo = links;
        memOpRunning = false;
        return false;
    }
    if (step == 0) {
        progress.progressOpen(title, scope == MemShot ? 5 : !eDisk ? 12 : clear ? 10 : 50);
        txn.abortReq = false;
        txn.abortable = true;
        m_link.bPrgrsStep = true;
        if (operation != OpDelete && scope >= MemFolder && !m_ops.setSensors(false))
            step = 4;
    }
    if (step == 0) {
        progressLog(QStringLiteral("...") + title);
        if (!eDisk) {
            logPad(QStringLiteral("...") + title, 1, 0, 1);
            lineOpen = true;
            page.expect(MemPage::unitText(scope, pos));
            if (!page.goToEntry(scope))
                step = 6;
            else if (!page.open() || !page.choose(pageAction(operation)) || !page.apply() || !page.command('D'))
                step = 7;
        } else if (clear) {
            step = clearEDisk(page, title, aborted, lineOpen);
        } else {
            step = restoreEDisk(page, aborted, lineOpen);
        }
    }

    // End: out of the menu, then the verdict.
    page.command('D');
    QString verdict;
    if (aborted) {
        verdict = QStringLiteral("User aborted operation...!");
        txn.abortReq = false;
    } else if (step != 0) {
        verdict = QStringLiteral("Failed..!(") + QString::number(step) + QLatin1Char(',')
                  + QString::number(txn.result) + QLatin1Char(')');
    } else if (scope <= MemString) {
        verdict = QStringLiteral(" Success..!");
    }
    if (!verdict.isEmpty()) {
        progressLog(verdict.trimmed());
        if (lineOpen)
            logPad(verdict.startsWith(QLatin1Char(' ')) ? verdict : QLatin1Char(' ') + verdict, 0, 1, 0);
        else
            logPad(verdict, 1, 1, 1);
    } else if (lineOpen) {
        logPad(QString(), 0, 1, 0);
    }
    // What the chronograph showed instead of the expected page.
    QString problem;
    if (step != 0 && !page.problem().isEmpty()) {
        problem = page.problem() + QStringLiteral(" - ")
                  + (page.actionSent() ? QStringLiteral("the action was not confirmed.")
                                       : QStringLiteral("nothing was applied."));
        progressLog(problem);
        logPad(problem, 0, 1, 1);
    }
    txn.abortable = false;
    m_link.bPrgrsStep = false;

    if (sensorsWereOn && !m_ops.setSensors(true))
        logPad(QStringLiteral("Failed to turn sesors back on.!"), 0, 1, 1);

    m_link.croTransact(true, QStringLiteral("["), 0, 0);
    m_link.bRxTo = links;
    logPad(QStringLiteral("DAT>"), 0, 0, 0);
    m_link.croTransact(false, QStringLiteral("D"), 0, 0);
    if (progress.progressIsOpen())
        progress.progressClose();
    memOpRunning = false;
    if (!problem.isEmpty()) {   // told once the chronograph is back at its data prompt
        MsgRequest r;
        r.text = title + QStringLiteral(" stopped.") + kCrLf + problem;
        r.icon = MsgIcon::Exclamation;
        r.foreground = true;
        m_host.prompter().show(r);
    }
    return step == 0 && !aborted;
}

int RemoteOps::clearEDisk(MemPage &page, const QString &title, bool &aborted, bool &lineOpen)
{
    if (!page.goToPosition(1, 1) || !page.goToEntry(MemEDisk))
        return 6;
    logPad(QStringLiteral("Clear eDisk1 - Folder..."), 1, 0, 0);
    lineOpen = true;
    // The page on the eDisk entry works on the folder under the cursor; PgUp moves it on.
    for (int folder = 1; folder <= kFolders; ++folder) {
        if (m_link.croTxn.abortReq) {
            aborted = true;
            return 0;
        }
        page.expect(MemPage::unitText(MemFolder, {folder, 1, 0, 0}));
        if (!page.open())
            return 7;
        progressLog(QStringLiteral(",") + QString::number(folder));
        logPad(QStringLiteral(",") + QString::number(folder), 0, 0, 0);
        m_host.progressCaption(title + QStringLiteral(" - Folder-") + QString::number(folder));
        if (!page.choose(MemPage::Clear) || !page.applyAndNext())
            return 7;
        page.expect(MemPage::unitText(MemFolder, {folder % kFolders + 1, 1, 0, 0}));
        if (!page.moveAction(true))
            return 7;
    }
    logPad(QStringLiteral(" Success."), 0, 0, 0);
    return 0;
}

int RemoteOps::restoreEDisk(MemPage &page, bool &aborted, bool &lineOpen)
{
    const int strings = m_link.cro.iCroMaxStr;
    for (int folder = 1; folder <= kFolders; ++folder) {
        if (lineOpen)
            logPad(QString(), 0, 1, 0);
        logPad(QStringLiteral("Restore eDisk-1 - Folder-") + twoDigits(folder) + QStringLiteral("..."), 0, 0, 0);
        lineOpen = true;
        for (int string = 1; string <= strings; ++string) {
            m_host.progressCaption(QStringLiteral("Restore folder-") + QString::number(folder)
                                   + QStringLiteral(" string-") + QString::number(string));
            if (m_link.croTxn.abortReq) {
                aborted = true;
                return 0;
            }
            if (!page.goToPosition(folder, string) || !page.goToEntry(MemString))
                return 6;
            page.expect(MemPage::unitText(MemString, {folder, string, 0, 0}));
            if (!page.open() || !page.choose(MemPage::Restore) || !page.apply())
                return 7;
        }
    }
    logPad(QStringLiteral(" Success."), 0, 0, 0);
    // The sensors stay off after a restore; PgDn on the Sensors entry confirms it.
    m_ops.setSensors(false);
    m_link.croTransact(true, QStringLiteral("O"), 0, 0);
    return 0;
}

} // namespace zx
