#pragma once
// Download and memory management: fetching the chronograph's eDisk (a string, a folder or
// everything) into the active CFile or the terminal buffer, and deleting, undeleting,
// restoring and clearing shots, strings, folders and the eDisk through the chronograph's
// memory page. Each operation is one call that runs to its end while pumping events inside
// the transactions; callers hold the one-chronograph-task guard around it. The capture and
// terminal links, the sensors and the chronograph's menu are put back whatever the outcome.
#include <QString>
#include <QStringList>

namespace zx {

class ChronoOps;
class LinkSession;
class MemPage;
class RemoteOpsHost;

class RemoteOps {
public:
    // Scopes of a download: 1 current string, 2 current folder, 3 whole eDisk.
    enum DownloadScope { ScopeString = 1, ScopeFolder = 2, ScopeEDisk = 3 };
    // Memory operations and their scopes.
    // Delete of the eDisk is its clear.
    enum MemOperation { OpDelete = 1, OpUnDelete = 2, OpRestore = 3 };
    enum MemScope { MemShot = 0, MemString = 1, MemFolder = 2, MemEDisk = 3 };

    RemoteOps(LinkSession &link, ChronoOps &ops, RemoteOpsHost &host);

    // One download. destination > 0: the active CFile; <= 0: the terminal buffer.
    // Sets downloadSucceeded on success; returns 0 on success, else the failure code
    // (1 chronograph silent or no CFile, 2 no answer to Esc and "D", 3 listing failed).
    int croDownload(int destination, int scope);
    // The export's entry: downloads into the terminal buffer. 0 success, 1 no chronograph
    // status, 2 download failed (then the "Err(" box is shown). The listing's lines are also
    // collected into `listing` when given (the terminal keeps only its last 32,750 characters).
    int croGetShots(int scope, QStringList *listing = nullptr);
    // One memory operation on the shot, string or folder under the chronograph's cursor, or
    // on the eDisk (delete = clear; undelete and restore bring back every string). True when
    // the chronograph did all of it.
    bool croMemOp(int operation, int scope);

    // Main window menu commands: croDownload into the CFile inside the task guard.
    void mnuDownloadString();
    void mnuDownloadFolder();
    void mnuDownloadEDisk();
    // Memory commands inside the task guard.
    void mnuMemOp(int operation, int scope);

    bool downloadSucceeded = false;   // set at the end of a successful download
    bool downloadSentNothing = false; // the last download stopped before any key (question declined, device refused)
    bool memOpRunning = false;        // a memory operation is running

    // Texts of the scopes ("Current String" ...) and of a memory operation's title.
    static QString scopeName(int scope);
    static QString memTitle(int operation, int scope, int number);
    // The question before a memory operation ("Delete String", "Clear eDisk") and its line
    // naming the units it acts on ("Erases: String 4 of Folder 1, every shot in it").
    static QString memQuestion(int operation, int scope);
    static QString memUnits(int operation, int scope, int folder, int string, int shot, int strings);

    // A line into the remote control panel's progress log.
    void progressLog(const QString &line);

private:
    // 0 the chronograph answered, 1 it did not, kNothingSent when the CFile question was
    // declined or the device refused.
    static constexpr int kNothingSent = -1;
    int prepare(bool cfileDestination);
    bool wake(bool cfileDestination);
    // The eDisk loops; they return the failed step (0 none) and set aborted on a user abort.
    int clearEDisk(MemPage &page, const QString &title, bool &aborted, bool &lineOpen);
    int restoreEDisk(MemPage &page, bool &aborted, bool &lineOpen);
    void logPad(const QString &text, int nBefore, int nAfter, int kind);

    LinkSession &m_link;
    ChronoOps &m_ops;
    RemoteOpsHost &m_host;
};

} // namespace zx
