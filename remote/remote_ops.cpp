// Download of the chronograph's eDisk and the common preparation of every memory
// operation: CFile check, device gate, CFile link put aside, the wake with retries.
#include "remote/remote_ops.h"
#include "platform/crlf.h"

#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "link/logpad_sink.h"
#include "link/progress_sink.h"
#include "platform/prompter.h"
#include "remote/remote_ops_host.h"

namespace zx {

namespace {
constexpr int kWakeTries = 10;
} // namespace

RemoteOps::RemoteOps(LinkSession &link, ChronoOps &ops, RemoteOpsHost &host) : m_link(link), m_ops(ops), m_host(host) {}

QString RemoteOps::scopeName(int scope)
{
    switch (scope) {
    case ScopeString: return QStringLiteral("Current String");
    case ScopeFolder: return QStringLiteral("Current Folder");
    case ScopeEDisk: return QStringLiteral("eDisk (all shots)");
    default: return {};
    }
}

void RemoteOps::logPad(const QString &text, int nBefore, int nAfter, int kind)
{
    if (LogPadSink *pad = m_link.logPad())
        pad->logPadWrite(text, nBefore, nAfter, kind);
}

void RemoteOps::progressLog(const QString &line)
{
    TrimmedText &log = m_link.remPrgrs;
    if (log.size() > log.limit())
        log.dropFront(log.drop());
    log.append(QString(line + kCrLf));
    if (m_link.hooks.remoteProgressChanged)
        m_link.hooks.remoteProgressChanged();
    m_host.progressLogLine(line);
}

int RemoteOps::prepare(bool cfileDestination)
{
    if (m_host.needCFileToRecord() != 0 || m_ops.deviceGate())
        return kNothingSent;
    // Menu echoes of the wake and the navigation must not reach the CFile.
    m_link.bRxTo[1] = false;
    return wake(cfileDestination) ? 0 : 1;
}

bool RemoteOps::wake(bool cfileDestination)
{
    CroTxn &txn = m_link.croTxn;
    txn.connAbort = false;
    txn.abortReq = false;
    txn.abortable = true;
    bool answered = false;
    for (int tr = 1; tr <= kWakeTries && !answered; ++tr) {
        if (txn.connAbort || txn.abortReq) {
            progressLog(QStringLiteral("...Aborted by the user..!"));
            break;
        }
        m_link.croTransact(true, QStringLiteral("["), 0, (tr - 1) * 150 + 200);
        answered = !txn.failed;
        if (!answered && tr < kWakeTries)
            progressLog(QStringLiteral("Retry...") + QString::number(tr));
        if (!answered && tr == kWakeTries) {
            progressLog(QStringLiteral("No Responce from Chrono..."));
            progressLog(QStringLiteral("...Giving up!"));
        }
    }
    txn.abortable = false;
    txn.connAbort = false;
    txn.abortReq = false;
    if (!answered && cfileDestination) {
        MsgRequest r;
        r.text = QStringLiteral("RV5 not found on port ") + m_link.portLabel() + kCrLf
                 + QStringLiteral("Check connections or setup - see <Interface>/<Setup>.") + kCrLf
                 + QStringLiteral("To find RV5 click on <Detect>, to check RV5 click on <Test>.");
        r.icon = MsgIcon::Exclamation;
        r.foreground = true;
        m_host.prompter().show(r);
    }
    return answered;
}

int RemoteOps::croDownload(int destination, int scope)
{
    const bool toCFile = destination > 0;
    const QString name = scopeName(scope);
    const std::array<bool, 3> links = m_link.bRxTo;
    ProgressSink &progress = m_host.progress();
    downloadSucceeded = false;
    downloadSentNothing = false;
    int code = 0;

    code = prepare(toCFile);
    if (code == kNothingSent) {
        downloadSentNothing = true;
        m_link.bRxTo = links;
        return 1;
    }
    if (code == 0 && toCFile)
        logPad(QStringLiteral("Downloading ") + name + QStringLiteral("..."), 1, 1, 1);
    if (code == 0) {
        m_link.croTransact(true, QStringLiteral("["), 0, 0);
        if (m_link.croTxn.failed)
            m_link.croTransact(false, QStringLiteral("D"), 0, 0);
        if (m_link.croTxn.failed)
            code = 2;
    }
    // A shot fired while the listing runs would reach the CFile twice: as its live line and
    // as a record of the listing. The sensors are off for the listing, as for the memory
    // operations, and on again afterwards.
    bool sensorsPaused = false;
    CroState &st = m_link.cro;
    const bool calOk = st.bCroCalOk, setupChg = st.bCroSetupChg;
    if (code == 0) {
        m_ops.getStatus();
        if (st.bCroStatusOk && st.bCroSensorsOn) {
            sensorsPaused = m_link.sensorsOff();
            if (!sensorsPaused)
                code = 2;
        }
    }
    if (code == 0) {
        progressLog(QStringLiteral("Please Wait..."));
        progressLog(QStringLiteral("Downloading - ") + name);
        const int perString = st.iCroMaxSho + 2;
        const int lines = scope == ScopeString ? perString
                          : scope == ScopeFolder ? perString * st.iCroMaxStr
                                                 : perString * st.iCroMaxStr * 10;
        progress.progressOpen((toCFile ? QStringLiteral("Download - ") : QStringLiteral("Exporting - ")) + name,
                              lines);
        if (toCFile) {
            m_link.bRxTo[1] = true;
        } else {
            m_link.txtTerm.clear();
            m_link.txtTerm.touch();
            if (m_link.hooks.terminalChanged)
                m_link.hooks.terminalChanged();
            m_link.bRxTo[0] = true;
        }
        m_link.bPrgrsStep = true;
        if (m_link.listingLines)   // the listing only: no wake or status answers before it
            m_link.listingLines->clear();
        m_link.croTransact(false, QString::number(scope), 0, 0);
        m_link.bPrgrsStep = false;
        // The listing's own end is in; what follows (our Esc) is not part of it.
        m_link.bRxTo[1] = false;
        m_link.bRxTo[0] = links[0];
        if (!m_link.croTxn.failed) {
            if (toCFile)
                logPad(QStringLiteral("Download Successful..!"), 1, 1, 1);
            progressLog(QStringLiteral("Download Successful..!"));
            m_link.croTransact(true, QStringLiteral("["), 0, 0);
            downloadSucceeded = true;
        } else {
            code = 3;
        }
    }
    if (sensorsPaused) {
        // The chronograph keeps its calibration through the pause: no new setup to report.
        if (m_ops.setSensors(true)) {
            st.bCroCalOk = calOk;
            st.bCroSetupChg = setupChg;
        } else {
            logPad(QStringLiteral("Failed to turn sesors back on.!"), 1, 1, 1);
        }
        m_link.croTransact(false, QStringLiteral("D"), 0, 0);
    }
    if (code != 0) {
        const QString failed = QStringLiteral("Download Failed (") + QString::number(m_link.croTxn.result)
                               + QStringLiteral(")...");
        if (toCFile)
            logPad(failed, 1, 1, 1);
        progressLog(failed);
    }
    m_link.bRxTo = links;
    m_link.bRemPrgrsView = false;
    if (progress.progressIsOpen())
        progress.progressClose();
    return code;
}

int RemoteOps::croGetShots(int scope, QStringList *listing)
{
    const bool cfileLink = m_link.bRxTo[1];
    m_link.bRxTo[1] = false;
    int result = 1;
    m_ops.getStatus();
    if (m_link.cro.bCroStatusOk) {
        if (listing)
            listing->clear();
        m_link.listingLines = listing;
        croDownload(0, scope);
        m_link.listingLines = nullptr;
        result = downloadSucceeded ? 0 : 2;
    }
    m_link.bRxTo[1] = cfileLink;
    if (result > 0) {
        MsgRequest r;
        r.text = QStringLiteral("Err(") + QString::number(result) + QStringLiteral(") - Failed to retrieve shots from RV5...!");
        r.icon = MsgIcon::Exclamation;
        m_host.prompter().show(r);
    }
    m_host.refreshStatus();
    return result;
}

void RemoteOps::mnuDownloadString()
{
    m_ops.guarded([this] { croDownload(1, ScopeString); });
}

void RemoteOps::mnuDownloadFolder()
{
    m_ops.guarded([this] { croDownload(1, ScopeFolder); });
}

void RemoteOps::mnuDownloadEDisk()
{
    m_ops.guarded([this] { croDownload(1, ScopeEDisk); });
}

void RemoteOps::mnuMemOp(int operation, int scope)
{
    m_ops.guarded([this, operation, scope] { croMemOp(operation, scope); });
}

} // namespace zx
