#include "workbook/xlsx_error_cells.h"
#include "workbook/zip_package.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <limits>

namespace zx::wb {

namespace {

// The cells as libxlsxwriter writes them: a formula's text result, or an inline string value.
QByteArray mend(const QByteArray &xml, const QSet<QString> &refs)
{
    static const QRegularExpression cell(QStringLiteral(
        R"re(<c r="([A-Z]+[0-9]+)"((?: s="[0-9]+")?) t="(str|inlineStr)">(?:<is><t>([^<]*)</t></is>)?)re"));
    const QString text = QString::fromUtf8(xml);
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (auto it = cell.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!refs.contains(m.captured(1)))
            continue;
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QStringLiteral("<c r=\"") + m.captured(1) + u'"' + m.captured(2) + QStringLiteral(" t=\"e\">");
        if (m.captured(3) == u"inlineStr")
            out += QStringLiteral("<v>") + m.captured(4) + QStringLiteral("</v>");
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out.toUtf8();
}

} // namespace

bool markErrorCells(const QString &path, const ErrorCellMap &cells, QString *error)
{
    QTemporaryFile mended(path + QStringLiteral(".XXXXXX"));
    mended.setAutoRemove(true);
    if (!mended.open()) {
        *error = mended.errorString();
        return false;
    }
    mended.close();
    ZipReader in(path);
    ZipWriter out(mended.fileName());
    if (!in.isOpen() || in.names().isEmpty() || !out.isOpen()) {
        *error = QStringLiteral("the package could not be reopened to write its error cells.");
        return false;
    }
    static const QRegularExpression sheetPart(QStringLiteral(R"(^xl/worksheets/sheet([0-9]+)\.xml$)"));
    for (const QString &name : in.names()) {
        QByteArray data;
        if (in.read(name, &data, std::numeric_limits<int>::max()) != ZipReader::Status::Ok) {
            *error = QStringLiteral("its part %1 could not be read back.").arg(name);
            return false;
        }
        if (const QRegularExpressionMatch m = sheetPart.match(name); m.hasMatch()) {
            if (const auto it = cells.find(m.captured(1).toInt() - 1); it != cells.end())
                data = mend(data, it->second);
        }
        if (!out.add(name, data)) {
            *error = QStringLiteral("its part %1 could not be written.").arg(name);
            return false;
        }
    }
    if (!out.close()) {
        *error = QStringLiteral("the package could not be completed.");
        return false;
    }
    if (std::rename(QFile::encodeName(mended.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("the package could not be replaced.");
        return false;
    }
    mended.setAutoRemove(false);
    return true;
}

} // namespace zx::wb
