#pragma once
// COM numbers are the user's names for serial ports. On Windows COMn is the device itself.
// Elsewhere a machine-wide map (QSettings organisation "Zentrix", application "Ports",
// keys "COM1".."COM255") binds numbers to device paths; the environment variable
// ZENTRIX_PORTS ("1=/dev/pts/4,3=/dev/ttyUSB0") overrides it entry by entry, and numbers
// bound nowhere take the system's serial ports not bound elsewhere. A port with a stable
// identity (a link in /dev/serial/by-id, named after the adapter's make and serial number)
// is taken under that name, those ports first in name order, so a number reaches the same
// adapter whatever order the adapters were plugged in; keepBinding() then stores it.
#include <QMap>
#include <QString>

namespace zx {

class PortMap {
public:
    // Device path for a COM number; empty when nothing can be bound to it.
    static QString deviceFor(int comNumber);

    // The stored machine-wide map.
    static QMap<int, QString> storedMap();
    static void storeEntry(int comNumber, const QString &device); // empty device removes the entry
    // Entries of ZENTRIX_PORTS (malformed entries are skipped).
    static QMap<int, QString> environmentMap();
    static QMap<int, QString> parseMapText(const QString &text);

    // In-process overrides (zentrix-cli --port PATH, zentrix --simulate); they win over everything.
    static void setOverride(int comNumber, const QString &device);
    static void clearOverrides();

    // Every explicitly bound number with its device (stored, then environment, then overrides).
    static QMap<int, QString> explicitMap();

    // The stable identity of a device: the link in the identity folder that leads to it
    // (empty when there is none, and always on Windows).
    static QString stableIdentity(const QString &device);
    // The identity folder, /dev/serial/by-id unless a test points it elsewhere.
    static QString identityDir();
    static void setIdentityDir(const QString &dir);
    // After a successful open: a number bound nowhere that reached a device with a stable
    // identity is bound to it in the stored map, so it keeps that adapter after re-plugging.
    static void keepBinding(int comNumber, const QString &device);
};

} // namespace zx
