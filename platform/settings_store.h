#pragma once
// Per-user settings addressed by application (instance) name, section and key.
// Native QSettings format: the registry on Windows, ini files under $XDG_CONFIG_HOME elsewhere,
// organisation "Zentrix", one file per application name.
#include <QString>
#include <QStringList>

namespace zx {

class SettingsStore {
public:
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
    void flush(const QString &app);

    // Value encodings shared by every setting.
    static QString fromBool(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }
    static bool toBool(const QString &text, bool defaultValue);
    static int toInt(const QString &text, int defaultValue);
};

} // namespace zx
