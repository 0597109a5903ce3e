#pragma once
// The chronograph operations shot capture calls: the status fetch, the calibration and the
// sensors setter. The default implementation reads the status itself and, for the
// operations it does not carry out, writes the failure remark of that operation; the
// chronograph-operations module overrides them.
class QString;

namespace zx {

class CaptureLink;
class LogPad;
class LogPadWarnings;
class ProgressSink;
struct CroState;

class ChronoOperations {
public:
    ChronoOperations(CaptureLink &link, LogPad &pad, LogPadWarnings &warn, CroState &cro);
    virtual ~ChronoOperations() = default;

    // The progress window of the status fetch (none: nothing shown).
    void setProgress(ProgressSink *progress) { m_progress = progress; }

    // Reads the status into the chronograph state.
    virtual void getStatus();
    // getStatus inside the "Get RV5 Status" progress window.
    virtual void fetchStatus(int mode);
    virtual void closeProgress();
    // getStatus, a second time if the first failed, only when the status is not fresh.
    virtual void ensureStatus(bool withProgress);
    virtual void calibrate(bool quiet);
    virtual bool setSensors(bool turnOn);

protected:
    CaptureLink &m_link;
    LogPad &m_pad;
    LogPadWarnings &m_warn;
    CroState &m_cro;
    ProgressSink *m_progress = nullptr;
};

} // namespace zx
