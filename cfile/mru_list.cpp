#include "cfile/mru_list.h"

#include "cfile/cfile_settings.h"
#include "platform/settings_store.h"

#include <QDir>

namespace zx {

using namespace cfilekeys;

MruList::MruList(SettingsStore &settings, const QString &appName) : m_settings(settings), m_app(appName)
{
    load();
}

static bool samePath(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

void MruList::add(const QString &path)
{
    remove(path);
    m_entries.prepend(path);
    while (m_entries.size() > kMruMax)
        m_entries.removeLast();
    save();
}

void MruList::remove(const QString &path)
{
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i)
        if (samePath(m_entries.at(i), path))
            m_entries.removeAt(i);
}

void MruList::load()
{
    m_entries.clear();
    for (int i = 1; i <= kMruMax; ++i) {
        const QString p = m_settings.read(m_app, QLatin1String(MruSection), QStringLiteral("File%1").arg(i));
        if (!p.isEmpty())
            m_entries << p;
    }
}

void MruList::save()
{
    for (int i = 1; i <= kMruMax; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_entries.size())
            m_settings.write(m_app, QLatin1String(MruSection), key, m_entries.at(i - 1));
        else
            m_settings.deleteKey(m_app, QLatin1String(MruSection), key);
    }
}

} // namespace zx
