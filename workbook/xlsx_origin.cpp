#include "workbook/xlsx_origin.h"
#include "workbook/zip_package.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace zx::wb {

namespace {

constexpr qint64 kMaxPropsPart = 1024 * 1024; // document properties are a few hundred bytes

QByteArray packagePart(ZipReader &zip, const QString &name)
{
    QByteArray data;
    zip.read(name, &data, kMaxPropsPart);
    return data;
}

// The text of the first element with this qualified name.
QString elementText(const QByteArray &xml, QStringView qualifiedName)
{
    QXmlStreamReader r(xml);
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement && r.qualifiedName() == qualifiedName)
            return r.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    return {};
}

// The text value of the named custom property.
QString customProperty(const QByteArray &xml, const QString &name)
{
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement || r.name() != u"property"
            || r.attributes().value(QLatin1String("name")) != name)
            continue;
        while (!r.atEnd()) {
            const QXmlStreamReader::TokenType t = r.readNext();
            if (t == QXmlStreamReader::StartElement)
                return r.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            if (t == QXmlStreamReader::EndElement)
                return {};
        }
    }
    return {};
}

} // namespace

QString ownerStamp(qint64 secsSinceEpoch)
{
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

bool writtenByThisProgram(const QString &path)
{
    ZipReader zip(path);
    if (!zip.isOpen())
        return false;
    const QString stamp = customProperty(packagePart(zip, QStringLiteral("docProps/custom.xml")), QString::fromLatin1(kOwnerProperty));
    if (stamp.isEmpty())
        return false;
    return stamp == elementText(packagePart(zip, QStringLiteral("docProps/core.xml")), u"dcterms:modified");
}

} // namespace zx::wb
