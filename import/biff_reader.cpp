#include "import/biff_reader.h"

#include <cstring>
#include <set>

namespace zx::import {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kLastSector = 0xFFFFFFFA; // numbers from here on are markers

quint32 u32(const QByteArray &b, qsizetype at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}
quint16 u16(const QByteArray &b, qsizetype at) { return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8); }

// The compound file: sectors, the FAT and the streams' chains.
class CompoundFile {
public:
    explicit CompoundFile(const QByteArray &file) : m_file(file) {}

    bool open(QString *error)
    {
        if (m_file.size() < 512 || !m_file.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
            return fail(error, 0, QStringLiteral("a compound file header"));
        const int shift = u16(m_file, 30);
        if (shift != 9 && shift != 12)
            return fail(error, 30, QStringLiteral("a sector size of 512 or 4096 bytes"));
        m_sectorSize = 1 << shift;
        std::vector<quint32> fatSectors;
        for (int i = 0; i < 109; ++i)
            if (const quint32 s = u32(m_file, 76 + 4 * i); s < kLastSector)
                fatSectors.push_back(s);
        // More FAT sectors are listed in a chain of DIFAT sectors (each ends with the next one).
        std::set<quint32> seen;
        for (quint32 d = u32(m_file, 68); d < kLastSector && seen.insert(d).second;) {
            const QByteArray s = sector(d);
            if (s.isEmpty())
                return fail(error, 68, QStringLiteral("DIFAT sectors inside the file"));
            const int n = m_sectorSize / 4 - 1;
            for (int i = 0; i < n; ++i)
                if (const quint32 f = u32(s, 4 * i); f < kLastSector)
                    fatSectors.push_back(f);
            d = u32(s, 4 * n);
        }
        for (const quint32 f : fatSectors) {
            const QByteArray s = sector(f);
            if (s.isEmpty())
                return fail(error, 76, QStringLiteral("FAT sectors inside the file"));
            for (int i = 0; i < m_sectorSize / 4; ++i)
                m_fat.push_back(u32(s, 4 * i));
        }
        return true;
    }

    // The bytes of a chain of sectors; empty when it leaves the file or loops.
    QByteArray chain(quint32 start, const std::vector<quint32> &fat, bool mini, const QByteArray &miniStream) const
    {
        QByteArray out;
        std::set<quint32> seen;
        for (quint32 s = start; s != kEndOfChain; s = fat[s]) {
            if (s >= fat.size() || !seen.insert(s).second)
                return {};
            const QByteArray part = mini ? miniStream.mid(qsizetype(s) * 64, 64) : sector(s);
            if (part.size() != (mini ? 64 : m_sectorSize))
                return {};
            out += part;
        }
        return out;
    }

    // The named stream's bytes; false when it is not there or does not read.
    bool stream(const QString &name, QByteArray *out, QString *error) const
    {
        const QByteArray dir = chain(u32(m_file, 48), m_fat, false, {});
        if (dir.isEmpty())
            return fail(error, 48, QStringLiteral("a directory chain"));
        QByteArray miniStream;
        for (qsizetype e = 0; e + 128 <= dir.size(); e += 128) {
            const int nameBytes = std::min<int>(u16(dir, e + 64), 64);
            const QString entry = QString::fromUtf16(reinterpret_cast<const char16_t *>(dir.constData() + e),
                                                     std::max(0, nameBytes / 2 - 1));
            const int type = quint8(dir[e + 66]);
            const quint32 start = u32(dir, e + 116), size = u32(dir, e + 120);
            if (type == 5) // the root entry holds the mini stream
                miniStream = chain(start, m_fat, false, {});
            if (type != 2 || entry.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            QByteArray bytes;
            if (size < u32(m_file, 56)) {
                std::vector<quint32> miniFat;
                const QByteArray mf = chain(u32(m_file, 60), m_fat, false, {});
                for (qsizetype i = 0; i + 4 <= mf.size(); i += 4)
                    miniFat.push_back(u32(mf, i));
                bytes = chain(start, miniFat, true, miniStream);
            } else {
                bytes = chain(start, m_fat, false, {});
            }
            if (bytes.size() < qsizetype(size))
                return fail(error, 0, QStringLiteral("the %1 stream's %2 bytes").arg(name).arg(size));
            *out = bytes.left(size);
            return true;
        }
        return fail(error, 0, QStringLiteral("a \"%1\" stream").arg(name));
    }

private:
    static bool fail(QString *error, qsizetype at, const QString &what)
    {
        *error = QStringLiteral("byte %1: expected %2").arg(at).arg(what);
        return false;
    }
    QByteArray sector(quint32 n) const
    {
        const qsizetype at = (qsizetype(n) + 1) * m_sectorSize;
        return at + m_sectorSize <= m_file.size() ? m_file.mid(at, m_sectorSize) : QByteArray();
    }

    const QByteArray &m_file;
    int m_sectorSize = 512;
    std::vector<quint32> m_fat;
};

// Record data of the shared string table and its CONTINUE records, read across their
// boundaries: characters of a string that goes on in the next record start there with a
// new flags byte (1 = two bytes a character).
class Segments {
public:
    void add(const QByteArray &data) { m_parts.push_back(data); }
    bool atEnd() const { return m_part >= m_parts.size(); }
    bool byte(quint8 *out)
    {
        while (m_part < m_parts.size() && m_pos >= m_parts[m_part].size())
            next();
        if (m_part >= m_parts.size())
            return false;
        *out = quint8(m_parts[m_part][m_pos++]);
        return true;
    }
    bool skip(quint32 n)
    {
        quint8 b = 0;
        for (quint32 i = 0; i < n; ++i)
            if (!byte(&b))
                return false;
        return true;
    }
    bool word(quint16 *out)
    {
        quint8 lo = 0, hi = 0;
        if (!byte(&lo) || !byte(&hi))
            return false;
        *out = quint16(lo | hi << 8);
        return true;
    }
    bool dword(quint32 *out)
    {
        quint16 lo = 0, hi = 0;
        if (!word(&lo) || !word(&hi))
            return false;
        *out = quint32(lo) | quint32(hi) << 16;
        return true;
    }
    bool chars(int count, bool wide, QString *out)
    {
        for (int i = 0; i < count; ++i) {
            if (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
                next();
                quint8 flags = 0;
                if (!byte(&flags))
                    return false;
                wide = flags & 1;
            }
            quint8 lo = 0, hi = 0;
            if (!byte(&lo) || (wide && !byte(&hi)))
                return false;
            out->append(QChar(char16_t(lo | hi << 8)));
        }
        return true;
    }

private:
    void next()
    {
        ++m_part;
        m_pos = 0;
    }
    std::vector<QByteArray> m_parts;
    std::size_t m_part = 0;
    qsizetype m_pos = 0;
};

std::vector<QString> sharedStrings(Segments &s)
{
    std::vector<QString> out;
    quint32 total = 0, unique = 0;
    if (!s.dword(&total) || !s.dword(&unique))
        return out;
    for (quint32 i = 0; i < unique && !s.atEnd(); ++i) {
        quint16 count = 0;
        quint8 flags = 0;
        if (!s.word(&count) || !s.byte(&flags))
            break;
        quint16 runs = 0;
        quint32 ext = 0;
        if ((flags & 0x08) && !s.word(&runs))
            break;
        if ((flags & 0x04) && !s.dword(&ext))
            break;
        QString text;
        if (!s.chars(count, flags & 1, &text) || !s.skip(4u * runs) || !s.skip(ext))
            break;
        out.push_back(text);
    }
    return out;
}

double rkValue(quint32 rk)
{
    double v = 0;
    if (rk & 0x02) {
        v = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 0x01) ? v / 100 : v;
}

QString number(double v) { return QString::number(v, 'g', 15); }

} // namespace

std::vector<QString> readSharedStrings(const std::vector<QByteArray> &records)
{
    Segments s;
    for (const QByteArray &r : records)
        s.add(r);
    return sharedStrings(s);
}

bool readBiffWorkbook(const QByteArray &file, std::vector<BiffSheet> *sheets, QString *error)
{
    CompoundFile cf(file);
    QByteArray wb;
    if (!cf.open(error) || (!cf.stream(QStringLiteral("Workbook"), &wb, error) && !cf.stream(QStringLiteral("Book"), &wb, error)))
        return false;
    struct SheetStart {
        quint32 offset;
        QString name;
    };
    std::vector<SheetStart> starts;
    Segments sst;
    bool inSst = false;
    // The workbook globals: up to the first EOF.
    qsizetype at = 0;
    while (at + 4 <= wb.size()) {
        const quint16 type = u16(wb, at), len = u16(wb, at + 2);
        const QByteArray data = wb.mid(at + 4, len);
        at += 4 + len;
        if (data.size() != len) {
            *error = QStringLiteral("byte %1: expected a record of %2 bytes in the workbook stream").arg(at - 4 - len).arg(len);
            return false;
        }
        inSst = type == 0xFC || (inSst && type == 0x3C);
        if (inSst)
            sst.add(data);
        if (type == 0x85 && len >= 8) { // BOUNDSHEET: worksheets only (type byte 0)
            const int count = quint8(data[6]);
            const bool wide = quint8(data[7]) & 1;
            QString name;
            for (int i = 0; i < count && 8 + (i + 1) * (wide ? 2 : 1) <= len; ++i)
                name += wide ? QChar(char16_t(u16(data, 8 + 2 * i))) : QChar(char16_t(quint8(data[8 + i])));
            if (quint8(data[5]) == 0)
                starts.push_back({u32(data, 0), name});
        }
        if (type == 0x0A)
            break;
    }
    const std::vector<QString> strings = sharedStrings(sst);
    for (const SheetStart &start : starts) {
        BiffSheet sheet;
        sheet.name = start.name;
        auto put = [&](int row, int col, const QString &text) {
            sheet.cells[{row, col}] = text;
            sheet.rows = std::max(sheet.rows, row + 1);
            sheet.columns = std::max(sheet.columns, col + 1);
        };
        for (qsizetype p = start.offset; p + 4 <= wb.size();) {
            const quint16 type = u16(wb, p), len = u16(wb, p + 2);
            const QByteArray d = wb.mid(p + 4, len);
            p += 4 + len;
            if (type == 0x0A || d.size() != len)
                break;
            if (type == 0xFD && len >= 10) {
                const quint32 i = u32(d, 6);
                put(u16(d, 0), u16(d, 2), i < strings.size() ? strings[i] : QString());
            } else if (type == 0x204 && len >= 9) {
                const int count = u16(d, 6);
                const bool wide = quint8(d[8]) & 1;
                QString text;
                for (int i = 0; i < count && 9 + (i + 1) * (wide ? 2 : 1) <= len; ++i)
                    text += wide ? QChar(char16_t(u16(d, 9 + 2 * i))) : QChar(char16_t(quint8(d[9 + i])));
                put(u16(d, 0), u16(d, 2), text);
            } else if (type == 0x203 && len >= 14) {
                double v = 0;
                std::memcpy(&v, d.constData() + 6, sizeof v);
                put(u16(d, 0), u16(d, 2), number(v));
            } else if (type == 0x27E && len >= 10) {
                put(u16(d, 0), u16(d, 2), number(rkValue(u32(d, 6))));
            } else if (type == 0xBD && len >= 6) { // MULRK: row, first column, (xf, rk)..., last column
                const int row = u16(d, 0), first = u16(d, 2);
                for (int k = 0; 4 + 6 * (k + 1) + 2 <= len; ++k)
                    put(row, first + k, number(rkValue(u32(d, 4 + 6 * k + 2))));
            }
        }
        sheets->push_back(std::move(sheet));
    }
    if (sheets->empty()) {
        *error = QStringLiteral("expected a worksheet in the workbook");
        return false;
    }
    error->clear(); // a "Workbook" stream looked for in vain before the "Book" one
    return true;
}

} // namespace zx::import
