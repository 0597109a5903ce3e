#pragma once
// Recent-file entries, most recent first, kept per instance under the reserved branch MRUList.
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
    // Removes an instance's list (the clearing functions).
    static void clear(SettingsStore &settings, const QString &appName);

private:
    bool loadFrom(const QString &app, const QString &section);
    SettingsStore &m_settings;
    QString m_app;
    QStringList m_entries;
};

} // namespace zx
