#include "platform/settings_store.h"

#include "platform/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace zx {
namespace {
QString path(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }
QString path(const SettingKey &k) { return path(QString::fromLatin1(k.section), QString::fromLatin1(k.key)); }
} // namespace

SettingsStore::SettingsStore() : m_cache(std::make_shared<std::map<QString, Open>>()) {}

SettingsStore::~SettingsStore() = default;

namespace {

// Every key of s on a line of its own in its file, and the file ends a line: a file cut short
// by a failed write loses at least its last line.
bool wholeOnDisk(const QSettings &s)
{
    QFile f(s.fileName());
    const qsizetype keys = s.allKeys().size();
    if (!f.open(QIODevice::ReadOnly))
        return keys == 0;
    const QByteArray bytes = f.readAll();
    qsizetype lines = 0;
    for (const QByteArray &line : bytes.split('\n'))
        if (!line.startsWith('[') && line.contains('='))
            ++lines;
    return lines == keys && (bytes.isEmpty() || bytes.endsWith('\n'));
}

// The system's reason first, then the settings' own words; the own words alone without one.
QString withReason(const QString &reason, const QString &words)
{
    return reason.isEmpty() ? words : reason + QStringLiteral(" (") + words + u')';
}

// QSettings keeps the system's words to itself: the reason is asked again where it wrote. A
// folder in the file's place refuses to be opened for writing; a probe beside the file, of about
// the size the settings need (removed at once), meets a folder that cannot be made or a full disk.
// Empty when everything works now.
QString systemWriteReason(const QString &file, qint64 bytes)
{
    const auto reason = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    if (QFileInfo(file).isDir()) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return reason();
        ::close(fd);
    }
    QByteArray probe = QFile::encodeName(QFileInfo(file).path()) + "/.settings-probe.XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return reason();
    QString why;
    const QByteArray block(64 * 1024, '\0');
    for (qint64 done = 0; done < bytes && why.isEmpty();) {
        const ssize_t n = ::write(fd, block.constData(), std::size_t(block.size()));
        if (n < 0)
            why = reason();
        done += n;
    }
    ::close(fd);
    ::unlink(probe.constData());
    return why;
}

// About twice what the settings take in their file (escapes, section lines), and a block more.
qint64 settingsSize(const QSettings &s)
{
    qint64 bytes = 64 * 1024;
    for (const QString &key : s.allKeys())
        bytes += 2 * (key.size() + s.value(key).toString().toUtf8().size() + 4);
    return bytes;
}

} // namespace

QSettings &SettingsStore::open(const QString &app, bool forWrite) const
{
    Open &o = (*m_cache)[app];
    if (!o.settings) {
        o.settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 QString::fromLatin1(kOrganisation), app);
    } else if (!o.dirty && !forWrite) {
        o.settings->sync();   // nothing pending: only looks whether the file changed
    }
    if (forWrite)
        o.dirty = true;
    return *o.settings;
}

QString SettingsStore::read(const QString &app, const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    QSettings &s = open(app, false);
    const QVariant v = s.value(path(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value)
{
    QSettings &s = open(app, true);
    s.setValue(path(section, key), value);
}

void SettingsStore::deleteSection(const QString &app, const QString &section)
{
    QSettings &s = open(app, true);
    s.remove(section);
}

void SettingsStore::deleteKey(const QString &app, const QString &section, const QString &key)
{
    QSettings &s = open(app, true);
    s.remove(path(section, key));
}

QStringList SettingsStore::sections(const QString &app) const
{
    QSettings &s = open(app, false);
    return s.childGroups();
}

QStringList SettingsStore::keys(const QString &app, const QString &section) const
{
    QSettings &s = open(app, false);
    s.beginGroup(section);
    const QStringList k = s.childKeys();
    s.endGroup();
    return k;
}

void SettingsStore::deleteAll(const QString &app)
{
    QSettings &s = open(app, true);
    s.clear();
}

bool SettingsStore::isWritable(const QString &app) const
{
    QSettings &s = open(app, false);
    return s.isWritable();
}

bool SettingsStore::isReadable(const QString &app) const
{
    const QFileInfo fi(fileName(app));
    return !fi.exists() || (fi.isFile() && fi.isReadable());
}

QString SettingsStore::fileName(const QString &app) const
{
    QSettings &s = open(app, false);
    return s.fileName();
}

bool SettingsStore::flush(const QString &app)
{
    QSettings &s = open(app, false);
    // QSettings writes through QSaveFile, whose commit (Qt 6.4) misses a failed last flush:
    // the file is checked afterwards and the previous bytes put back when it came out short.
    QFile previous(s.fileName());
    const bool hadFile = previous.open(QIODevice::ReadOnly);
    const QByteArray old = hadFile ? previous.readAll() : QByteArray();
    previous.close();
    s.sync();
    Open &o = (*m_cache)[app];
    o.dirty = false;
    o.writeError.clear();
    if (s.status() == QSettings::NoError && wholeOnDisk(s))
        return true;
    if (s.status() == QSettings::NoError) {
        if (hadFile)
            writeWholeFile(s.fileName(), old);
        else
            QFile::remove(s.fileName());
        o.writeError = QStringLiteral("The settings could not be saved to ") + QDir::toNativeSeparators(s.fileName())
                       + QStringLiteral(": ") + withReason(systemWriteReason(s.fileName(), settingsSize(s)),
                                                           QStringLiteral("the data could not be written in full (disk full?)"))
                       + QStringLiteral("; the previous file is kept");
        return false;
    }
    // QSettings keeps the system's words to itself; name the file and the likely causes.
    const QFileInfo fi(s.fileName());
    QString why = s.status() == QSettings::FormatError ? QStringLiteral("the file is not a settings file")
                  : fi.isDir()                          ? QStringLiteral("it is a folder")
                  : !fi.absoluteDir().exists()          ? QStringLiteral("its folder cannot be made")
                                                        : QStringLiteral("it cannot be written (disk full or no permission)");
    if (s.status() != QSettings::FormatError)
        why = withReason(systemWriteReason(s.fileName(), settingsSize(s)), why);
    o.writeError = QStringLiteral("The settings could not be saved to ") + QDir::toNativeSeparators(s.fileName())
                   + QStringLiteral(": ") + why;
    return false;
}

QString SettingsStore::writeError(const QString &app) const
{
    const auto it = m_cache->find(app);
    return it == m_cache->end() ? QString() : it->second.writeError;
}

void SettingsStore::reread(const QString &app)
{
    auto it = m_cache->find(app);
    if (it == m_cache->end())
        return;
    if (it->second.settings)
        it->second.settings->sync();
    m_cache->erase(it);
}

QString SettingsStore::read(const QString &app, const SettingKey &k) const
{
    QSettings &s = open(app, false);
    const QVariant v = s.value(path(k));
    return v.isValid() ? v.toString() : QString::fromLatin1(k.defaultValue);
}

bool SettingsStore::contains(const QString &app, const SettingKey &k) const
{
    QSettings &s = open(app, false);
    return s.contains(path(k));
}

void SettingsStore::write(const QString &app, const SettingKey &k, const QString &value)
{
    QSettings &s = open(app, true);
    s.setValue(path(k), value);
}

bool SettingsStore::readBool(const QString &app, const SettingKey &k, bool *converted) const
{
    const bool dflt = parseBool(QString::fromLatin1(k.defaultValue)).value_or(false);
    const std::optional<bool> v = parseBool(read(app, k));
    if (converted)
        *converted = v.has_value();
    return v.value_or(dflt);
}

int SettingsStore::readInt(const QString &app, const SettingKey &k, bool *converted) const
{
    const int dflt = parseInt(QString::fromLatin1(k.defaultValue)).value_or(0);
    const std::optional<int> v = parseInt(read(app, k));
    if (converted)
        *converted = v.has_value();
    return v.value_or(dflt);
}

std::optional<bool> SettingsStore::parseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double n = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return n != 0.0;
}

std::optional<int> SettingsStore::parseInt(const QString &text)
{
    bool ok = false;
    const double n = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(n))
        return std::nullopt;
    const double r = std::nearbyint(n);   // default rounding mode: halves to even
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(r);
}

bool SettingsStore::toBool(const QString &text, bool defaultValue)
{
    return parseBool(text).value_or(defaultValue);
}

int SettingsStore::toInt(const QString &text, int defaultValue)
{
    return parseInt(text).value_or(defaultValue);
}

} // namespace zx
