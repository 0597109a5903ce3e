#include "remote/command_file.h"

#include "docformat/plain_text_codec.h"

#include <QFile>

namespace zx {

namespace {

// The number at the start of text, leading blanks skipped, as the file's writers expect:
// " 2" is 2, "x" is 0.
int leadingNumber(QStringView text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    int n = 0;
    for (; i < text.size() && text.at(i).isDigit(); ++i)
        n = n * 10 + text.at(i).digitValue();
    return n;
}

} // namespace

QString CommandFile::errorText(const QString &fileName) const
{
    return QStringLiteral("RemCtr-Err:") + QString::number(errorCode) + QStringLiteral(" Str:") + errorLine
           + QStringLiteral("\r\n") + fileName;
}

int parseCommandLine(const QString &line, RemoteCommand *out)
{
    int code = 0;
    if (line.at(0) != QLatin1Char('.'))
        code = 10;
    const QChar list = line.at(1);
    if (list < QLatin1Char('0') || list > QLatin1Char('3'))
        code += 100;
    const int spaces = leadingNumber(QStringView(line).mid(4, 2));
    if (spaces > 40)
        code += 1000;
    if (code == 0 && out) {
        out->list = list.digitValue();
        out->code = int(line.at(3).unicode());
        if (line.at(2) == QLatin1Char('1'))
            out->code &= 191;
        out->caption = line.mid(7) + QString(spaces, QLatin1Char(' '));
    }
    return code;
}

CommandFile parseCommandLines(const QStringList &lines)
{
    CommandFile f;
    for (const QString &line : lines) {
        if (line.size() <= 7 || line.startsWith(QLatin1String(".......")))
            continue;
        RemoteCommand c;
        const int code = parseCommandLine(line, &c);
        if (code != 0) {
            f.errorCode = code;
            f.errorLine = line;
            break;
        }
        f.commands.append(c);
    }
    return f;
}

CommandFile readCommandFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = PlainTextCodec::decode(file.readAll()).text;
    text.remove(QLatin1Char('\r'));
    return parseCommandLines(text.split(QLatin1Char('\n')));
}

} // namespace zx
