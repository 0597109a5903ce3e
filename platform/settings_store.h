#pragma once
// Per-user settings addressed by application (instance) name, section and key.
// Native QSettings format: the registry on Windows, ini files under $XDG_CONFIG_HOME elsewhere,
// organisation "Zentrix", one file per application name.
//
// A file that cannot be read yields every default and is never overwritten (QSettings refuses
// to write a file it could not read); a read-only file keeps its contents, the writes are lost
// for that session only and isWritable() says so.
#include "platform/settings_key.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

class QSettings;

namespace zx {

class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = default;             // copies share one cache
    SettingsStore &operator=(const SettingsStore &) = default;

    static constexpr const char *kOrganisation = "Zentrix";

    QString read(const QString &app, const QString &section, const QString &key,
                 const QString &defaultValue = {}) const;
    void write(const QString &app, const QString &section, const QString &key, const QString &value);
    void deleteSection(const QString &app, const QString &section);
    void deleteKey(const QString &app, const QString &section, const QString &key);
    QStringList sections(const QString &app) const;
    QStringList keys(const QString &app, const QString &section) const;
    void deleteAll(const QString &app);
    // False when the backing file cannot be written (read-only file or folder).
    bool isWritable(const QString &app) const;
    // False when something exists where the backing file should be but cannot be read as one
    // (all reads then give defaults).
    bool isReadable(const QString &app) const;
    QString fileName(const QString &app) const;
    // Writes pending changes to disk (they also go out on their own from the event loop and
    // when the last copy of the store is destroyed) and picks up other processes' changes.
    // The file is replaced whole or not at all; false with writeError() when it could not be.
    bool flush(const QString &app);
    // Why the last flush of app failed, with the file's path (empty after a good one).
    QString writeError(const QString &app) const;
    // Writes pending changes, then forgets what was read: the next read comes from the file
    // as another process left it (the instance records, read under the copies' lock).
    void reread(const QString &app);

    // Keyed access: the key's own default when nothing is stored.
    QString read(const QString &app, const SettingKey &k) const;
    bool contains(const QString &app, const SettingKey &k) const;
    void write(const QString &app, const SettingKey &k, const QString &value);
    void writeBool(const QString &app, const SettingKey &k, bool value) { write(app, k, fromBool(value)); }
    void writeInt(const QString &app, const SettingKey &k, int value) { write(app, k, QString::number(value)); }
    // Typed reads. A missing key gives the default; stored text that does not convert gives the
    // default too and sets *converted false, so the reader can report it.
    bool readBool(const QString &app, const SettingKey &k, bool *converted = nullptr) const;
    int readInt(const QString &app, const SettingKey &k, bool *converted = nullptr) const;

    // Value encodings shared by every setting.
    static QString fromBool(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
    static bool toBool(const QString &text, bool defaultValue);
    static int toInt(const QString &text, int defaultValue);
    // "True"/"False" in any case, or a number (0 is no, any other yes).
    static std::optional<bool> parseBool(const QString &text);
    // A decimal number; a fraction is rounded to the nearest integer, halves to the even one.
    static std::optional<int> parseInt(const QString &text);

private:
    // One open QSettings per application name: opening one per call would rewrite the file
    // (with a disk sync) for every value. Reads refresh from disk while nothing is pending,
    // so values written by other copies of the program are seen.
    struct Open {
        std::unique_ptr<QSettings> settings;
        bool dirty = false;
        QString writeError;
    };
    QSettings &open(const QString &app, bool forWrite) const;
    std::shared_ptr<std::map<QString, Open>> m_cache;
};

} // namespace zx
