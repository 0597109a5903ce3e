#include "platform/settings_store.h"

#include <QSettings>

namespace zx {
namespace {
QSettings open(const QString &app)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(SettingsStore::kOrganisation), app);
}
QString path(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }
} // namespace

QString SettingsStore::read(const QString &app, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    QSettings s = open(app);
    const QVariant v = s.value(path(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value)
{
    QSettings s = open(app);
    s.setValue(path(section, key), value);
}

void SettingsStore::deleteSection(const QString &app, const QString &section)
{
    QSettings s = open(app);
    s.remove(section);
}

void SettingsStore::deleteKey(const QString &app, const QString &section, const QString &key)
{
    QSettings s = open(app);
    s.remove(path(section, key));
}

QStringList SettingsStore::sections(const QString &app) const
{
    QSettings s = open(app);
    return s.childGroups();
}

QStringList SettingsStore::keys(const QString &app, const QString &section) const
{
    QSettings s = open(app);
    s.beginGroup(section);
    return s.childKeys();
}

void SettingsStore::deleteAll(const QString &app)
{
    QSettings s = open(app);
    s.clear();
}

bool SettingsStore::isWritable(const QString &app) const
{
    QSettings s = open(app);
    return s.isWritable();
}

void SettingsStore::flush(const QString &app)
{
    QSettings s = open(app);
    s.sync();
}

bool SettingsStore::toBool(const QString &text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double n = t.toDouble(&ok);
    return ok ? n != 0.0 : defaultValue;
}

int SettingsStore::toInt(const QString &text, int defaultValue)
{
    bool ok = false;
    const double n = text.trimmed().toDouble(&ok);
    return ok ? static_cast<int>(n) : defaultValue;
}

} // namespace zx
