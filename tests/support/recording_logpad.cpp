#include "support/recording_logpad.h"

namespace zx::test {

void RecordingLogPad::logPadWrite(const QString &text, int nBefore, int nAfter, int kind)
{
    m_writes.append({text, nBefore, nAfter, kind});
    const QString crlf = QStringLiteral("\r\n");
    QString line;
    switch (kind) {
    case 0: line = text; break;
    case 1: line = QStringLiteral("REM: ") + text; break;
    case 2: line = QStringLiteral("REM:") + QString::number(shotTotal).rightJustified(5, QLatin1Char('0'))
                   + QLatin1Char(' ') + text; break;
    case 10: line = QStringLiteral("TAG: ") + text; break;
    case 11: line = QStringLiteral("TAG: ") + text + QStringLiteral("{ Date= Time= }"); break;
    case 20: m_rendered += text; return;
    default: return;
    }
    m_rendered += crlf.repeated(nBefore) + line + crlf.repeated(nAfter);
}

void RecordingLogPad::captureText(const QString &chunk)
{
    m_captured += chunk;
    m_rendered += chunk;
}

} // namespace zx::test
