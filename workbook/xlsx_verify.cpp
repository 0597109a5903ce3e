#include "workbook/xlsx_verify.h"

#include "workbook/zip_package.h"

#include <QRegularExpression>

#include <limits>

namespace zx::wb {

namespace {

// The document ends with the end tag of its root element (or is that element, empty).
bool endsWithRoot(const QByteArray &xml)
{
    const QByteArray body = xml.trimmed();
    qsizetype open = body.indexOf('<');
    while (open >= 0 && open + 1 < body.size() && (body[open + 1] == '?' || body[open + 1] == '!'))
        open = body.indexOf('<', open + 1);
    if (open < 0)
        return false;
    qsizetype end = open + 1;
    while (end < body.size() && body[end] != '>' && body[end] != '/' && body[end] != ' ')
        ++end;
    const QByteArray root = body.mid(open + 1, end - open - 1);
    if (root.isEmpty())
        return false;
    return body.endsWith("</" + root + '>') || (body.endsWith("/>") && body.indexOf('>', open) == body.size() - 1);
}

// The sheet's data ends with a whole row numbered lastRow.
bool rowsComplete(const QByteArray &xml, int lastRow)
{
    const qsizetype close = xml.lastIndexOf("</sheetData>");
    if (close < 0)
        return lastRow == 0;
    const qsizetype lastTag = xml.lastIndexOf('<', close - 1);
    const QByteArray tag = xml.mid(lastTag, close - lastTag);
    if (!(tag == "</row>" || (tag.startsWith("<row ") && tag.endsWith("/>"))))
        return false;
    const qsizetype row = xml.lastIndexOf("<row r=\"", close);
    if (row < 0)
        return lastRow == 0;
    const qsizetype from = row + 8;
    return xml.mid(from, xml.indexOf('"', from) - from).toInt() == lastRow;
}

} // namespace

QString checkWrittenPackage(const QString &path, const std::vector<int> &lastRows)
{
    ZipReader zip(path);
    if (!zip.isOpen() || zip.names().isEmpty())
        return QStringLiteral("the written file is not a readable package");
    static const QRegularExpression sheetPart(QStringLiteral("^xl/worksheets/sheet(\\d+)\\.xml$"));
    std::size_t sheets = 0;
    for (const QString &name : zip.names()) {
        if (!name.endsWith(QLatin1String(".xml")) && !name.endsWith(QLatin1String(".rels")))
            continue;
        QByteArray xml;
        const ZipReader::Status read = zip.read(name, &xml, std::numeric_limits<int>::max());
        if (read == ZipReader::Status::Missing || read == ZipReader::Status::Unreadable)
            return QStringLiteral("its part %1 cannot be read").arg(name);
        if (read != ZipReader::Status::Ok || !endsWithRoot(xml))
            return QStringLiteral("its part %1 is cut short").arg(name);
        const QRegularExpressionMatch m = sheetPart.match(name);
        if (!m.hasMatch())
            continue;
        const std::size_t index = m.captured(1).toUInt() - 1;
        if (index >= lastRows.size() || !rowsComplete(xml, lastRows[index]))
            return QStringLiteral("its part %1 ends early").arg(name);
        ++sheets;
    }
    if (sheets != lastRows.size())
        return QStringLiteral("sheets are missing");
    return {};
}

} // namespace zx::wb
