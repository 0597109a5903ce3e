#include "import/fit_reader.h"

#include <QDateTime>

#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace zx::import {

namespace {

constexpr int kFileId = 0, kSession = 387, kShot = 388, kTimestamp = 253;
constexpr qint64 kFitEpoch = 631065600; // 1989-12-31T00:00:00Z in Unix seconds

} // namespace

quint16 fitCrc(const QByteArray &bytes, qsizetype end)
{
    static constexpr std::array<quint16, 16> table = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                                      0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                                      0x5000, 0x9C01, 0x8801, 0x4400};
    quint16 crc = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const quint8 b = quint8(bytes[i]);
        quint16 t = table[crc & 0xF];
        crc = (crc >> 4) & 0x0FFF;
        crc = crc ^ t ^ table[b & 0xF];
        t = table[crc & 0xF];
        crc = (crc >> 4) & 0x0FFF;
        crc = crc ^ t ^ table[(b >> 4) & 0xF];
    }
    return crc;
}

namespace {

struct FieldDef {
    int number = 0, size = 0, baseType = 0;
};
struct MessageDef {
    bool bigEndian = false;
    int global = -1;
    std::vector<FieldDef> fields;
    int developerBytes = 0;
};

// An unsigned field of up to 8 bytes; nullopt for the type's "invalid" value (all ones).
std::optional<quint64> unsignedValue(const QByteArray &b, qsizetype at, int size, bool bigEndian)
{
    if (size < 1 || size > 8)
        return std::nullopt;
    quint64 v = 0;
    for (int k = 0; k < size; ++k) {
        const quint64 byte = quint8(b[at + (bigEndian ? k : size - 1 - k)]);
        v = (v << 8) | byte;
    }
    const quint64 invalid = size == 8 ? ~quint64(0) : (quint64(1) << (8 * size)) - 1;
    return v == invalid ? std::nullopt : std::optional<quint64>(v);
}

QString utc(quint32 fitSeconds)
{
    return QDateTime::fromSecsSinceEpoch(kFitEpoch + fitSeconds, Qt::UTC).toString(Qt::ISODate);
}

} // namespace

bool looksLikeFit(const QByteArray &bytes)
{
    return bytes.size() >= 12 && (bytes[0] == 12 || bytes[0] == 14) && bytes.mid(8, 4) == ".FIT";
}

ImportResult readFit(const QByteArray &bytes)
{
    ImportResult r;
    r.format = QStringLiteral("Garmin FIT session");
    // Messages of a binary file have no lines: "line" in messages is the byte offset.
    auto fail = [&](qsizetype at, const QString &expected) {
        r.error = QStringLiteral("byte %1: expected %2").arg(at).arg(expected);
        r.series.clear();
        return r;
    };
    if (!looksLikeFit(bytes))
        return fail(0, QStringLiteral("a FIT file header (12 or 14 bytes, \".FIT\")"));
    const int headerSize = bytes[0];
    const quint32 dataSize = quint32(quint8(bytes[4])) | quint32(quint8(bytes[5])) << 8
                             | quint32(quint8(bytes[6])) << 16 | quint32(quint8(bytes[7])) << 24;
    const qsizetype end = qsizetype(headerSize) + qsizetype(dataSize);
    if (end + 2 > bytes.size())
        return fail(bytes.size(), QStringLiteral("%1 bytes of records and the CRC").arg(dataSize));
    const quint16 stored = quint16(quint8(bytes[end]) | quint8(bytes[end + 1]) << 8);
    if (fitCrc(bytes, end) != stored)
        return fail(end, QStringLiteral("the file's CRC (the file is damaged)"));

    std::map<int, MessageDef> defs;
    quint32 lastTimestamp = 0;
    ImportedSeries s;
    s.velocityUnit = QStringLiteral("m/s"); // FIT stores every speed in mm/s
    s.decimals = 3;
    QString sessionTime, serial, product;
    std::optional<quint64> minSpeed, maxSpeed, avgSpeed, sd, count, grains;
    bool haveSession = false;
    qsizetype at = headerSize;
    while (at < end) {
        const quint8 head = quint8(bytes[at++]);
        if ((head & 0x80) == 0 && (head & 0x40)) { // definition message
            if (at + 5 > end)
                return fail(at, QStringLiteral("a definition message"));
            MessageDef d;
            d.bigEndian = bytes[at + 1] == 1;
            const int lo = quint8(bytes[at + 2]), hi = quint8(bytes[at + 3]);
            d.global = d.bigEndian ? lo << 8 | hi : hi << 8 | lo;
            const int n = quint8(bytes[at + 4]);
            at += 5;
            if (at + 3 * n > end)
                return fail(at, QStringLiteral("%1 field definitions").arg(n));
            for (int k = 0; k < n; ++k, at += 3)
                d.fields.push_back({quint8(bytes[at]), quint8(bytes[at + 1]), quint8(bytes[at + 2])});
            if (head & 0x20) { // developer fields: sizes only, their content is skipped
                if (at >= end)
                    return fail(at, QStringLiteral("the developer field count"));
                const int devs = quint8(bytes[at++]);
                if (at + 3 * devs > end)
                    return fail(at, QStringLiteral("%1 developer field definitions").arg(devs));
                for (int k = 0; k < devs; ++k, at += 3)
                    d.developerBytes += quint8(bytes[at + 1]);
            }
            defs[head & 0x0F] = d;
            continue;
        }
        const bool compressed = head & 0x80;
        const int local = compressed ? (head >> 5) & 0x03 : head & 0x0F;
        const auto def = defs.find(local);
        if (def == defs.end())
            return fail(at - 1, QStringLiteral("a definition for local message %1 before its data").arg(local));
        std::map<int, quint64> values;
        qsizetype size = def->second.developerBytes;
        for (const FieldDef &f : def->second.fields)
            size += f.size;
        if (at + size > end)
            return fail(at, QStringLiteral("%1 bytes of message data").arg(size));
        qsizetype p = at;
        for (const FieldDef &f : def->second.fields) {
            if (const auto v = unsignedValue(bytes, p, f.size, def->second.bigEndian))
                values[f.number] = *v;
            p += f.size;
        }
        at += size;
        if (compressed) { // 5-bit offset from the last full timestamp, rolling over at 32
            const quint32 offset = head & 0x1F;
            quint32 ts = (lastTimestamp & ~quint32(0x1F)) + offset;
            if (offset < (lastTimestamp & 0x1F))
                ts += 0x20;
            values[kTimestamp] = ts;
        }
        if (values.count(kTimestamp))
            lastTimestamp = quint32(values[kTimestamp]);
        auto get = [&](int field) {
            const auto it = values.find(field);
            return it == values.end() ? std::optional<quint64>() : std::optional<quint64>(it->second);
        };
        switch (def->second.global) {
        case kFileId:
            if (const auto v = get(3))
                serial = QString::number(*v);
            if (const auto v = get(2))
                product = QString::number(*v);
            break;
        case kSession:
            haveSession = true;
            if (const auto v = get(kTimestamp))
                sessionTime = utc(quint32(*v));
            minSpeed = get(0), maxSpeed = get(1), avgSpeed = get(2), count = get(3), grains = get(5), sd = get(6);
            break;
        case kShot: {
            const auto speed = get(0), num = get(1);
            if (!speed || !num)
                return fail(at - size, QStringLiteral("a shot message with speed and shot number"));
            ImportedShot shot;
            shot.number = int(*num);
            shot.velocity = double(*speed) / 1000.0;
            if (const auto t = get(kTimestamp))
                shot.time = utc(quint32(*t));
            s.shots.push_back(shot);
            break;
        }
        default:
            break;
        }
    }
    if (!haveSession && s.shots.empty())
        return fail(end, QStringLiteral("a chronograph session message (387)"));
    s.device = QStringLiteral("Garmin Xero") + (product.isEmpty() ? QString() : QStringLiteral(" (product ") + product + u')')
               + (serial.isEmpty() ? QString() : QStringLiteral(" serial ") + serial);
    s.date = sessionTime.isEmpty() ? QString() : sessionTime.left(16).replace(u'T', u' ') + QStringLiteral(" UTC");
    s.title = QStringLiteral("Session ") + s.date;
    QStringList vendor;
    auto mps = [](std::optional<quint64> v) { return QString::number(double(*v) / 1000.0, 'f', 3); };
    if (avgSpeed)
        vendor << QStringLiteral("average %1").arg(mps(avgSpeed));
    if (minSpeed && maxSpeed)
        vendor << QStringLiteral("min %1, max %2").arg(mps(minSpeed), mps(maxSpeed));
    if (sd)
        vendor << QStringLiteral("SD %1 (population SD, of n)").arg(mps(sd));
    if (count)
        vendor << QStringLiteral("%1 shots").arg(*count);
    if (!vendor.isEmpty())
        s.vendorSummary = QStringLiteral("device: ") + vendor.join(QStringLiteral(", "));
    if (grains)
        s.note = QStringLiteral("bullet %1 gr").arg(double(*grains) / 10.0);
    if (!s.shots.empty())
        r.series.push_back(std::move(s));
    else
        return fail(end, QStringLiteral("shot messages (388) in the session"));
    return r;
}

} // namespace zx::import
