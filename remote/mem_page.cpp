#include "remote/mem_page.h"

#include "link/link_session.h"
#include "link/status_parser.h"

namespace zx {

namespace {
constexpr int kDataMenu = 1;
constexpr int kInDataMenu = 10 + kDataMenu;   // expect: ended in the Data menu
constexpr int kMemoryItem = 2;                // the Keep entries
constexpr int kPositionItem = 1;              // Folder, String, Shot
} // namespace

bool MemPage::readMemPos(MemPos &pos)
{
    m_link.croTransact(true, QStringLiteral("["), 0, 0);
    if (m_link.croTxn.failed)
        return false;
    if (m_link.croTxn.prompt != 1 && !command('D'))
        return false;
    if (!command('W'))
        return false;
    double f = 0, s = 0, shot = 0;
    qint16 size = 0;
    if (!parseMemPos(m_link.sCroRsp, f, s, shot, size))
        return false;
    pos = {int(f), int(s), int(shot), int(size)};
    return true;
}

bool MemPage::stepValueTo(int want, int maxSteps)
{
    bool ok = false;
    int v = m_link.menuRead(kDataMenu).toInt(&ok);
    for (int i = 0; ok && v != want && i < maxSteps; ++i)
        v = m_link.menuStep(kDataMenu, v < want).toInt(&ok);
    return ok && v == want;
}

bool MemPage::goToPosition(int folder, int string)
{
    if (!m_link.menuGoTo(kDataMenu, kPositionItem, 0) || !stepValueTo(folder, 12))
        return false;
    return menuKey('D') && stepValueTo(string, 30);
}

bool MemPage::goToEntry(int scope) { return m_link.menuGoTo(kDataMenu, kMemoryItem, scope); }

bool MemPage::open() { return menuKey('M'); }

bool MemPage::choose(Action a)
{
    const int downs = a <= Delete ? int(a) : 0;
    const int ups = a <= Delete ? 0 : kActions - int(a);
    for (int i = 0; i < downs; ++i)
        if (!menuKey('D'))
            return false;
    for (int i = 0; i < ups; ++i)
        if (!menuKey('U'))
            return false;
    return true;
}

bool MemPage::apply() { return menuKey('R'); }

bool MemPage::applyAndNext() { return menuKey('K'); }

bool MemPage::menuKey(char letter)
{
    m_link.croTransact(true, QString(QLatin1Char(letter)), kInDataMenu, 0);
    return !m_link.croTxn.failed;
}

bool MemPage::command(char letter)
{
    m_link.croTransact(false, QString(QLatin1Char(letter)), 1, 0);
    return !m_link.croTxn.failed;
}

} // namespace zx
