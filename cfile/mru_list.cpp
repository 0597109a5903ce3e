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

bool MruList::loadFrom(const QString &app, const QString &section)
{
    m_entries.clear();
    for (int i = 1; i <= kMruMax; ++i) {
        const QString p = m_settings.read(app, section, QStringLiteral("File%1").arg(i));
        if (!p.isEmpty())
            m_entries << p;
    }
    return !m_entries.isEmpty();
}

void MruList::load()
{
    if (loadFrom(QLatin1String(MruBranch), m_app))
        return;
    // A list an earlier version left in the instance's own settings: moved, read once.
    if (loadFrom(m_app, QLatin1String(MruSection))) {
        save();
        for (int i = 1; i <= kMruMax; ++i)
            m_settings.deleteKey(m_app, QLatin1String(MruSection), QStringLiteral("File%1").arg(i));
    }
}

void MruList::save()
{
    for (int i = 1; i <= kMruMax; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_entries.size())
            m_settings.write(QLatin1String(MruBranch), m_app, key, m_entries.at(i - 1));
        else
            m_settings.deleteKey(QLatin1String(MruBranch), m_app, key);
    }
    m_settings.flush(QLatin1String(MruBranch));   // the exit flushes the instance's settings only
}

void MruList::clear(SettingsStore &settings, const QString &appName)
{
    settings.deleteSection(QLatin1String(MruBranch), appName);
    settings.flush(QLatin1String(MruBranch));
}

} // namespace zx
