#include "link/port_detect_text.h"

namespace zx {

QStringList deviceNames()
{
    return {QStringLiteral(" RV5 Vantor"), QStringLiteral(" Shooting Valtry"), QStringLiteral(" Unknow Chronograph"),
            QStringLiteral(" LogPad Terminal")};
}

QString deviceName(int index)
{
    const QStringList names = deviceNames();
    return names.value(index, names.first());
}

quint16 packPortItem(int com, int state, int third)
{
    return quint16((com & 0xff) | ((state & 0x0f) << 8) | ((third & 0x0f) << 12));
}

int itemCom(quint16 item) { return item & 0xff; }
int itemState(quint16 item) { return (item >> 8) & 0x0f; }
int itemThird(quint16 item) { return (item >> 12) & 0x0f; }

int portStateFromErrors(int e, int f)
{
    if (e == 0 && f == 0)
        return PortFree;
    if (e == 8005 && f == 8012)
        return PortInUse;
    if (e == 8002 && f == 8012)
        return PortAbsent;
    return PortBad;
}

namespace {
QString comHead(int com)
{
    return QStringLiteral("COM") + QString::number(com) + (com < 10 ? QStringLiteral("    ") : QStringLiteral("  "));
}
} // namespace

QString portRowText(int com, int state)
{
    const QString n = QString::number(com);
    switch (state) {
    case PortOwn:
        return comHead(com) + QStringLiteral("Chrono-") + n + QStringLiteral(" ") + QStringLiteral("My ")
               + QStringLiteral("{unknown}");
    case PortFree:
        return comHead(com) + QStringLiteral("Chrono-") + n + QStringLiteral(" {unknown}");
    case PortInUse:
        return comHead(com) + QStringLiteral("{Port In Use}");
    default:
        return {};
    }
}

QString portLogText(int com, int state)
{
    switch (state) {
    case PortOwn:
    case PortFree:
    case PortInUse:
        return portRowText(com, state);
    case PortAbsent:
        return comHead(com) + QStringLiteral("{not present}");
    case PortBad:
        return comHead(com) + QStringLiteral("{Bad Port}");
    default:
        return comHead(com) + QStringLiteral("{Unknown Error}");
    }
}

QString replaceRowTag(const QString &row, const QString &tag)
{
    const int brace = row.indexOf(QLatin1Char('{'));
    if (brace < 0)
        return row + tag;
    return row.left(brace) + tag;
}

void prtLogAppend(QString &log, const QString &text, int code, int count)
{
    if (log.size() > 4000)
        log = log.mid(499);
    if (code >= 100) {
        log = QStringLiteral("Please wait...\r\n");
        return;
    }
    const int before = code % 100;
    for (int i = 0; i < before; ++i)
        log += QStringLiteral("\r\n");
    log += text;
    for (int i = 0; i < count; ++i)
        log += QStringLiteral("\r\n");
}

QString buildPortSettings(const QString &baud, const QString &parity, const QString &dataBits,
                          const QString &stopBits)
{
    const QString p = parity.trimmed();
    return baud.trimmed() + QLatin1Char(',') + p.left(1).toLower() + QLatin1Char(',') + dataBits.trimmed()
           + QLatin1Char(',') + stopBits.trimmed();
}

} // namespace zx
