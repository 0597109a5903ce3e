#pragma once
// The transaction record: what the last (or running) command transaction did.
#include <QString>
#include <QtGlobal>

namespace zx {

// Result codes of croTransact: 1..5 an expected ending was seen, above 9 a failure.
enum CroResult : qint16 {
    kCroDat = 1,          // first ending (usually the "DAT>" prompt)
    kCroSts = 2,          // second ending (usually the "STS>" prompt)
    kCroMenuDat = 3,      // Data menu prompt
    kCroMenuSts = 4,      // Stats menu prompt
    kCroPowerOnMenu = 5,  // power-on menu prompt (after "Power ON")
    kCroSilence = 100,    // tmrCrxShrt expired
    kCroOverall = 101,    // tmrCrxLng expired
    kCroPeriod = 102,     // long period expired
    kCroHeader = 103,     // no memory line for 500 ms
};

struct CroTxn {
    bool failed = false;       // the last transaction failed
    QString cmdChar;           // request character of the running or last transaction
    qint16 result = 0;         // final result code of the last transaction
    bool busy = false;         // a transaction is running
    bool connAbort = false;    // the user asked to stop croConnect
    bool calibrating = false;  // the running transaction is a calibration
    bool calAborted = false;   // the user aborted a calibration
    bool abortReq = false;     // the user asked to abort a long operation
    bool abortable = false;    // the running long operation may be aborted
    qint16 periodSecs = 60;    // long period in seconds
    qint16 prompt = 0;         // 0 none, 1 "DAT>", 2 "STS>"
    qint16 menu = 0;           // 0 none, 1 Data menu, 2 Stats menu
    qint16 menuPos = 0;        // 100 x menu + 10 x item + sub-item; 0 none
};

} // namespace zx
