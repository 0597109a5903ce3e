#include "setup/sensors_dialog.h"

#include "link/chrono_ops.h"
#include "link/cro_state.h"
#include "link/link_session.h"
#include "platform/prompter.h"
#include "setup/cro_setup.h"

namespace zx {

SensorsDialog::SensorsDialog(ChronoOps &ops, Prompter &prompter) : m_ops(ops), m_prompter(prompter) {}

CroState &SensorsDialog::cro() { return m_ops.cro(); }

void SensorsDialog::open()
{
    opening = true;
    stop = false;
    m_menuPos = 0;
    opening = false;
}

void SensorsDialog::busy(bool on)
{
    m_inProgress += on ? 1 : -1;
    if (onBusy)
        onBusy(on);
}

bool SensorsDialog::setSensors(int index)
{
    if (opening)
        return false;
    busy(true);
    m_menuPos = 0;
    const bool ok = m_ops.setSensors(index == 1);
    if (refresh)
        refresh();
    busy(false);
    return ok;
}

bool SensorsDialog::step(bool up)
{
    if (stepSensorLevel(m_ops.link(), m_menuPos, up))
        return true;
    const MsgAnswer a = m_prompter.ask(QStringLiteral("Error in retrieving Sensor Level\r\nTry again ?"),
                                       MsgButtons::YesNo, 2);
    if (a != MsgAnswer::Yes)
        stop = true;
    m_menuPos = 0;
    return false;
}

bool SensorsDialog::incDec(int button)
{
    busy(true);
    const bool ok = step(button == 0);
    busy(false);
    return ok;
}

bool SensorsDialog::reset()
{
    busy(true);
    const CroState &c = m_ops.cro();
    int steps = 0;
    for (; steps < 101 && c.iCroSensLevel != 60 && !stop; ++steps)
        step(c.iCroSensLevel < 60);
    const bool reached = c.iCroSensLevel == 60;
    if (!reached || stop) {
        m_prompter.ask(QStringLiteral("Error in setting sensor level..!\r\nQuiting..."), MsgButtons::Ok, 1);
        stop = false;
    }
    busy(false);
    return reached;
}

} // namespace zx
