#include "link/cro_endings.h"

#include "link/link_session.h"

namespace zx {
namespace {

inline bool has(const QString &rsp, const char *what) { return rsp.contains(QLatin1String(what)); }

// A prompt ending: sets croTxn.prompt.
inline int prompt(CroTxn &txn, int result, int promptValue)
{
    txn.prompt = qint16(promptValue);
    return result;
}
// A menu ending: sets croTxn.menu, leaves the prompt 0.
inline int menu(CroTxn &txn, int result, int menuValue)
{
    txn.menu = qint16(menuValue);
    return result;
}

// The two prompts most answers end with: "DAT>" (result 1) or "STS>" (result 2), each
// setting the prompt to its own number; 0 when neither arrived.
inline int promptEnding(const QString &rsp, CroTxn &txn)
{
    if (has(rsp, "\r\nDAT>"))
        return prompt(txn, 1, 1);
    if (has(rsp, "\r\nSTS>"))
        return prompt(txn, 2, 2);
    return 0;
}

} // namespace

int CroEndings::test(const QString &rsp, CroTxn &txn, CroState &cro, bool &phaseAdvanced)
{
    phaseAdvanced = false;
    const bool endsQ = rsp.endsWith(QLatin1Char('?'));
    switch (m_cls) {
    case CroClass::MemoryB:
        if (m_phase == 0)
            return has(rsp, "MMR:<End> Fol=10 Str=") ? advance(1, phaseAdvanced) : 0;
        [[fallthrough]];
    case CroClass::MemoryA:
        // In the memory classes both endings leave the chronograph at "DAT>".
        if (has(rsp, "MMR:<End>\r\nDAT>"))
            return prompt(txn, 1, 1);
        if (has(rsp, "MMR:<End> CAP=OFF\r\nDAT>"))
            return prompt(txn, 2, 1);
        return 0;

    case CroClass::DataStats:
    case CroClass::Prompt:
        return promptEnding(rsp, txn);

    case CroClass::SignOn:
        if (m_phase == 0)
            return rsp.contains(LinkSession::bannerMarker()) ? advance(1, phaseAdvanced) : 0;
        if (m_phase == 1)
            return (has(rsp, "Ready\r\n") || has(rsp, "Ready CAP=OFF\r\n")) ? advance(2, phaseAdvanced) : 0;
        return promptEnding(rsp, txn);

    case CroClass::Status:
        if (m_phase == 0)
            return has(rsp, "SLev=") ? advance(1, phaseAdvanced) : 0;
        if (m_phase == 1)
            return has(rsp, "Arc=") ? advance(2, phaseAdvanced) : 0;
        if (m_phase == 2)
            return has(rsp, "Sens=OFF") ? advance(3, phaseAdvanced) : 0;
        if (const int r = promptEnding(rsp, txn))
            return r;
        if (has(rsp, "\r\nMEN><DAT> 00?"))
            return menu(txn, 3, 1);
        if (has(rsp, "\r\nMEN><STS> 00?"))
            return menu(txn, 4, 2);
        return 0;

    case CroClass::Menu:
        if (m_phase == 0) {
            if (has(rsp, "MEN><DAT> "))
                return advance(1, phaseAdvanced);
            if (has(rsp, "MEN><STS> "))
                return advance(2, phaseAdvanced);
            return 0;
        }
        return endsQ ? menu(txn, m_phase, m_phase) : 0;

    case CroClass::PowerOff:
        if (m_phase == 0)
            return has(rsp, "SYS:") ? advance(1, phaseAdvanced) : 0;
        return has(rsp, " Power OFF") ? 1 : 0;

    case CroClass::Calibrate:
        if (m_phase == 0)
            return has(rsp, "\r\nCAL:") ? advance(1, phaseAdvanced) : 0;
        if (const int r = promptEnding(rsp, txn))
            return r;
        if (has(rsp, "\r\nMEN><DAT> 00?"))
            return menu(txn, 3, 1);
        return 0;

    case CroClass::Enter: {
        if (const int r = promptEnding(rsp, txn))
            return r;
        // Both menu tests in the same pass; the later one found wins. The menu prompt counts
        // once its position digits and "?" are in: the answer is read for where it stands.
        if (!endsQ)
            return 0;
        int r = 0;
        if (has(rsp, "MEN><DAT>"))
            r = menu(txn, 3, 1);
        if (has(rsp, "MEN><STS>"))
            r = menu(txn, 4, 2);
        return r;
    }

    case CroClass::Move:
        if (m_phase == 0) {
            if (const int r = promptEnding(rsp, txn))
                return r;
            if (has(rsp, "\r\nMEN><DAT> "))
                return advance(3, phaseAdvanced);
            if (has(rsp, "MEN><STS> "))
                return advance(4, phaseAdvanced);
            return 0;
        }
        return endsQ ? menu(txn, m_phase, m_phase - 2) : 0;

    case CroClass::Delete:
        if (has(rsp, "CAP=OFF"))
            cro.bCroSensorsOn = false;
        return promptEnding(rsp, txn);

    case CroClass::Escape:
        if (m_phase == 0) {
            if (has(rsp, "<End>\r\nDAT>")) {
                cro.bCroSensorsOn = true;
                return prompt(txn, 1, 1);
            }
            if (has(rsp, "<End>\r\nSTS>")) {
                cro.bCroSensorsOn = true;
                return prompt(txn, 2, 2);
            }
            if (has(rsp, "<End> CAP=OFF\r\nDAT>"))
                return prompt(txn, 1, 1);
            if (has(rsp, "<End> CAP=OFF\r\nSTS>"))
                return prompt(txn, 2, 2);
            if (has(rsp, "<End>\r\nMEN><DAT>"))
                return advance(1, phaseAdvanced);
            if (has(rsp, "<End>\r\nMEN><STS> "))
                return advance(2, phaseAdvanced);
            if (has(rsp, "Power ON")) {
                cro.bCroPwrOnSeen = true;
                return advance(3, phaseAdvanced);
            }
            return 0;
        }
        if (m_phase == 1)
            return endsQ ? menu(txn, 3, 1) : 0;
        if (m_phase == 2)
            return endsQ ? menu(txn, 4, 2) : 0;
        return has(rsp, "\r\nMEN><DAT> 00?") ? menu(txn, 5, 1) : 0;
    }
    return 0;
}

} // namespace zx
