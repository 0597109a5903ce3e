#include "remote/panel_download.h"
#include "platform/crlf.h"

#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "link/cro_task.h"
#include "platform/prompter.h"
#include "remote/remote_ops.h"

#include <QFileInfo>

namespace zx {

namespace {
}

PanelDownload::PanelDownload(RemoteOps &ops, CroTask &task, CFileManager &files, Prompter &prompter)
    : m_ops(ops), m_task(task), m_files(files), m_prompter(prompter)
{
}

QStringList PanelDownload::sourceNames()
{
    return {RemoteOps::scopeName(1), RemoteOps::scopeName(2), RemoteOps::scopeName(3)};
}

QStringList PanelDownload::destinationNames()
{
    return {QStringLiteral("Buffer"), QStringLiteral("CFile - Zentrix"), QStringLiteral("Excel Spreadsheet")};
}

QStringList PanelDownload::cfileChoices() const
{
    QStringList rows;
    for (CFileDoc *d : m_files.docs())
        rows << (d == m_files.active() ? d->caption() + QStringLiteral(" (Current)") : d->caption());
    if (rows.isEmpty())
        rows << QStringLiteral("No Active CFiles");
    return rows;
}

CFileDoc *PanelDownload::cfileAt(int row) const
{
    const auto &docs = m_files.docs();
    return row >= 0 && size_t(row) < docs.size() ? docs.at(size_t(row)) : nullptr;
}

bool PanelDownload::nameTaken(const QString &name, const QString &path) const
{
    const auto same = [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    bool taken = QFileInfo::exists(path);
    for (CFileDoc *d : m_files.docs()) {
        const QString caption = d->caption();
        const QFileInfo info(caption);
        taken = taken || same(caption, name) || same(caption, path) || same(info.fileName(), name)
                || same(info.completeBaseName(), name);
    }
    if (taken)
        m_prompter.inform(QStringLiteral("CFile  ''") + name + QStringLiteral("''  Already Exists...!") + kCrLf
                              + QStringLiteral("See - Old CFile - Try Another Name..."),
                          {}, MsgIcon::Exclamation);
    return taken;
}

int PanelDownload::cmdDownload(int source, int destination, const QString &newName, CFileDoc *picked)
{
    // The workbook export takes the task guard itself.
    if (destination == Excel && source >= 0 && source <= 2 && exportToExcel)
        return exportToExcel(source + 1);
    CroTaskScope guard(m_task);
    if (guard.refused())
        return -1;
    if (source < 0 || source > 2) {
        m_prompter.inform(QStringLiteral("You Must Select Source."));
        return -1;
    }
    if (destination < 0 || destination > 2) {
        m_prompter.inform(QStringLiteral("You must Select Destination"));
        return -1;
    }
    if (destination == Excel) {
        m_prompter.inform(QStringLiteral("The Excel workbook link is not available in this version.") + kCrLf
                          + QStringLiteral("Download into a CFile or the Buffer instead."));
        return -1;
    }
    if (destination == CFile) {
        const QString name = newName.trimmed();
        if (!name.isEmpty()) {
            // Never a name relative to the working folder: the CFile belongs with the others.
            const QString path = m_files.newCFilePath(name);
            if (nameTaken(name, path))
                return -1;
            m_files.createNamedCFile(path);
        } else if (picked && activate) {
            activate(picked);
        }
    }
    const int r = m_ops.croDownload(destination == CFile ? 1 : 0, source + 1);
    // Every failure is told (a silent chronograph, a listing cut off, a lost port), not
    // only the unanswered wake; a download that sent nothing has said why already.
    if (r > 0 && !m_ops.downloadSentNothing)
        m_prompter.inform(QStringLiteral("Download Failed") + QStringLiteral("\r\nChronograph did not respond.\r\nCheck your setup or connections."),
                          {}, MsgIcon::Exclamation);
    if (refresh)
        refresh();
    return r;
}

} // namespace zx
