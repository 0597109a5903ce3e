#pragma once
// Recent-file entries, most recent first, kept per instance in section modMRU.
#include <QStringList>

namespace zx {

class SettingsStore;

class MruList {
public:
    MruList(SettingsStore &settings, const QString &appName);
    QStringList entries() const { return m_entries; }
    void add(const QString &path);     // moves or inserts at the top, keeps at most kMruMax
    void remove(const QString &path);
    void load();
    void save();

private:
    SettingsStore &m_settings;
    QString m_app;
    QStringList m_entries;
};

} // namespace zx
