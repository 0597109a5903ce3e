// Short exchanges whose answer is read at once: the memory position and turning the
// sensors off by the status command.
#include "link/link_session.h"
#include "link/status_parser.h"

namespace zx {

bool LinkSession::readMemPos(double &folder, double &string, double &shot, qint16 &size)
{
    croTransact(true, QStringLiteral("["), 0, 0);
    if (croTxn.failed)
        return false;
    if (croTxn.prompt != 1) {
        croTransact(false, QStringLiteral("D"), 1, 0);
        if (croTxn.failed)
            return false;
    }
    croTransact(false, QStringLiteral("W"), 1, 0);
    if (croTxn.failed)
        return false;
    return parseMemPos(sCroRsp, folder, string, shot, size);
}

bool LinkSession::sensorsOff()
{
    croTransact(true, QStringLiteral("["), 0, 0);
    bool failed = croTxn.failed;
    if (!failed) {
        croTransact(false, QStringLiteral("Z"), 0, 0);
        failed = croTxn.failed;
    }
    return sensorsOffAnswer(cro, sCroRsp, failed);
}

} // namespace zx
