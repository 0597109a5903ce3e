#include "remote/mem_page.h"

#include "link/link_session.h"
#include "link/status_parser.h"

namespace zx {

namespace {
constexpr int kDataMenu = 1;
constexpr int kInDataMenu = 10 + kDataMenu;   // expect: ended in the Data menu
constexpr int kMemoryItem = 2;                // the Keep entries
constexpr int kPositionItem = 1;              // Folder, String, Shot
constexpr int kFolderEntry = 110, kStringEntry = 111;

} // namespace

QString twoDigits(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

QString MemPage::unitText(int scope, const MemPos &pos)
{
    QString u = QStringLiteral("Fol=") + twoDigits(pos.folder);
    if (scope <= 1)
        u += QStringLiteral(" Str=") + twoDigits(pos.string);
    if (scope == 0)
        u += QStringLiteral(" Sho=") + twoDigits(pos.shot);
    return u;
}

QString MemPage::actionName(Action a)
{
    static const char *const names[kActions] = {"Keep", "Restore", "Delete", "UnDelete", "Clear"};
    return QString::fromLatin1(names[int(a)]);
}

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

QString MemPage::shownNow() const
{
    if (m_link.croTxn.result > 9)
        return QStringLiteral("no answer");
    const QString v = m_link.menuValue();
    if (!v.isEmpty())
        return v;
    QString rsp = m_link.sCroRsp;
    rsp.replace(QLatin1String("\r\n"), QLatin1String(" "));
    return rsp.trimmed().right(60);
}

bool MemPage::fail(const QString &wanted)
{
    m_problem = QStringLiteral("RV5 shows ''") + shownNow() + QStringLiteral("'' instead of ''") + wanted
                + QStringLiteral("''");
    return false;
}

bool MemPage::stepValueTo(int pos, int want, int maxSteps)
{
    const QString wanted = QString::number(want);
    bool ok = false;
    int v = m_link.menuRead(kDataMenu).toInt(&ok);
    ok = ok && m_link.menuShows(pos);
    for (int i = 0; ok && v != want && i < maxSteps; ++i) {
        v = m_link.menuStep(kDataMenu, v < want).toInt(&ok);
        ok = ok && m_link.menuShows(pos);
    }
    return (ok && v == want) || fail(wanted);
}

bool MemPage::goToPosition(int folder, int string)
{
    if (!m_link.menuGoTo(kDataMenu, kPositionItem, 0))
        return fail(QStringLiteral("Folder"));
    if (!stepValueTo(kFolderEntry, folder, 12))
        return false;
    if (!menuKey('D') || !m_link.menuShows(kStringEntry))
        return fail(QStringLiteral("String"));
    return stepValueTo(kStringEntry, string, 30);
}

bool MemPage::goToEntry(int scope)
{
    static const char *const labels[] = {"Keep Shot", "Keep String", "Keep Folder", "Keep eDisk"};
    return m_link.menuGoTo(kDataMenu, kMemoryItem, scope) || fail(QString::fromLatin1(labels[scope & 3]));
}

bool MemPage::shows(const QString &text)
{
    return (!m_link.croTxn.failed && m_link.menuShows(m_link.croTxn.menuPos) && m_link.menuValue() == text)
           || fail(text);
}

bool MemPage::open()
{
    m_action = Keep;
    return menuKey('M') && shows(m_unit + QLatin1Char(' ') + actionName(Keep));
}

bool MemPage::moveAction(bool down)
{
    m_action = Action((int(m_action) + (down ? 1 : kActions - 1)) % kActions);
    const bool sent = menuKey(down ? 'D' : 'U');
    return shows(m_unit + QLatin1Char(' ') + actionName(m_action)) && sent;
}

bool MemPage::choose(Action a)
{
    // From Keep: Down to Restore and Delete, Up (backwards, wrapping) to Clear and UnDelete.
    const bool down = a <= Delete;
    while (m_action != a)
        if (!moveAction(down))
            return false;
    return true;
}

bool MemPage::applyKey(char letter)
{
    const QString before = m_unit + QLatin1Char(' ') + actionName(m_action);
    if (!shows(before))   // the page still shows exactly what is wanted, or nothing goes out
        return false;
    m_actionSent = true;
    menuKey(letter);
    const QString v = m_link.menuValue();
    const bool confirmed = !m_link.croTxn.failed
                           && (v == before + QStringLiteral(" Done") || v == before + QStringLiteral(" Empty"));
    return confirmed || fail(before + QStringLiteral(" Done"));
}

bool MemPage::apply() { return applyKey('R'); }

bool MemPage::applyAndNext() { return applyKey('K'); }

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
