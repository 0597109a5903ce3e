#pragma once
// Start, Stop and Remote: the three operations that set the capture switch, and the
// check that a CFile is open to record into. Callers run them inside the one-task guard.
#include <functional>

namespace zx {

class CaptureLink;
class CFileManager;
class ChronoOperations;
class LogPad;
class LogPadWarnings;
class Prompter;
struct CroState;

class CaptureOps {
public:
    CaptureOps(CFileManager &files, LogPad &pad, LogPadWarnings &warn, Prompter &prompter, CroState &cro,
               CaptureLink &link, ChronoOperations &ops);

    // The chronograph operations (calibration, sensors) once their module provides them.
    void setOperations(ChronoOperations &ops) { m_ops = &ops; }
    // The mode and status refresh of the main window.
    void setRefresh(std::function<void()> f) { m_refresh = std::move(f); }
    // The remote control panel's CFile view.
    void setRemotePanelRefresh(std::function<void()> f) { m_remoteRefresh = std::move(f); }
    // The notes window showing one of its messages.
    void setNotesMessage(std::function<void(int)> f) { m_notes = std::move(f); }

    // 0 when a CFile is (now) open, 1 when the user declined to create one.
    int needCFileToRecord();
    void croStartShoot();
    void croStopShoot();
    void croRemoteOnly();

private:
    void refresh();

    CFileManager &m_files;
    LogPad &m_pad;
    LogPadWarnings &m_warn;
    Prompter &m_prompter;
    CroState &m_cro;
    CaptureLink &m_link;
    ChronoOperations *m_ops;
    std::function<void()> m_refresh;
    std::function<void()> m_remoteRefresh;
    std::function<void(int)> m_notes;
};

} // namespace zx
