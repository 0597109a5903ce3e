#include "platform/port_map.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace zx {
namespace {

QMap<int, QString> &overrides()
{
    static QMap<int, QString> map;
    return map;
}

QString &identityDirRef()
{
    static QString dir = QStringLiteral("/dev/serial/by-id");
    return dir;
}

// The file a path leads to, links followed; the path itself when it leads nowhere.
QString canonical(const QString &path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? path : c;
}

QSettings machineSettings()
{
    // Machine-wide: system scope where it is readable, the user's file otherwise.
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentrix"),
                     QStringLiteral("Ports"));
}

// System device path of a QSerialPortInfo (portName alone on Windows).
QString devicePath(const QSerialPortInfo &info)
{
#ifdef Q_OS_WIN
    return info.portName();
#else
    return info.systemLocation();
#endif
}

} // namespace

QMap<int, QString> PortMap::parseMapText(const QString &text)
{
    QMap<int, QString> out;
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        bool ok = false;
        QString num = part.left(eq).trimmed();
        if (num.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            num = num.mid(3);
        const int n = num.toInt(&ok);
        const QString dev = part.mid(eq + 1).trimmed();
        if (ok && n >= 1 && n <= 255 && !dev.isEmpty())
            out.insert(n, dev);
    }
    return out;
}

QMap<int, QString> PortMap::environmentMap()
{
    return parseMapText(QString::fromLocal8Bit(qgetenv("ZENTRIX_PORTS")));
}

QMap<int, QString> PortMap::storedMap()
{
    QMap<int, QString> out;
    QSettings s = machineSettings();
    const QStringList keys = s.childKeys();
    for (const QString &k : keys) {
        if (!k.startsWith(QLatin1String("COM")))
            continue;
        bool ok = false;
        const int n = k.mid(3).toInt(&ok);
        const QString dev = s.value(k).toString().trimmed();
        if (ok && n >= 1 && n <= 255 && !dev.isEmpty())
            out.insert(n, dev);
    }
    return out;
}

void PortMap::storeEntry(int comNumber, const QString &device)
{
    QSettings s = machineSettings();
    const QString key = QStringLiteral("COM%1").arg(comNumber);
    if (device.trimmed().isEmpty())
        s.remove(key);
    else
        s.setValue(key, device.trimmed());
}

void PortMap::setOverride(int comNumber, const QString &device)
{
    if (device.isEmpty())
        overrides().remove(comNumber);
    else
        overrides().insert(comNumber, device);
}

void PortMap::clearOverrides() { overrides().clear(); }

QMap<int, QString> PortMap::explicitMap()
{
    QMap<int, QString> map = storedMap();
    const QMap<int, QString> env = environmentMap();
    for (auto it = env.cbegin(); it != env.cend(); ++it)
        map.insert(it.key(), it.value());
    for (auto it = overrides().cbegin(); it != overrides().cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

QString PortMap::deviceFor(int comNumber)
{
    if (comNumber < 1)
        return {};
    if (overrides().contains(comNumber))
        return overrides().value(comNumber);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(comNumber);
#else
    const QMap<int, QString> map = explicitMap();
    if (map.contains(comNumber))
        return map.value(comNumber);
    // Unbound numbers, in ascending order, take the system's ports not bound elsewhere:
    // those with a stable identity first, by identity, then the others in system order.
    QStringList bound;
    for (const QString &dev : map)
        bound << canonical(dev);
    QStringList identified, plain;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        const QString dev = devicePath(info);
        if (bound.contains(canonical(dev)))
            continue;
        const QString id = stableIdentity(dev);
        if (id.isEmpty())
            plain << dev;
        else
            identified << id;
    }
    identified.sort();
    const QStringList free = identified + plain;
    int index = 0;
    for (int n = 1; n < comNumber; ++n)
        if (!map.contains(n))
            ++index;
    return index < free.size() ? free.at(index) : QString();
#endif
}

QString PortMap::identityDir() { return identityDirRef(); }

void PortMap::setIdentityDir(const QString &dir) { identityDirRef() = dir; }

QString PortMap::stableIdentity(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return {};
#else
    if (device.isEmpty())
        return {};
    const QDir dir(identityDirRef());
    if (QFileInfo(device).absolutePath() == dir.absolutePath())
        return device;   // already an identity
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QFileInfoList links = dir.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links)
        if (link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    return {};
#endif
}

void PortMap::keepBinding(int comNumber, const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(comNumber);
    Q_UNUSED(device);
#else
    if (comNumber < 1 || explicitMap().contains(comNumber))
        return;
    const QString id = stableIdentity(device);
    if (!id.isEmpty())
        storeEntry(comNumber, id);
#endif
}

} // namespace zx
