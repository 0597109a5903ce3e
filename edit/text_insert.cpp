#include "edit/text_insert.h"

#include "cfile/cfile_doc.h"
#include "docformat/cp1252.h"
#include "platform/prompter.h"

#include <QTextCursor>

#include <vector>

namespace zx {

namespace {

struct Token {
    enum Kind { Literal, Day, Month, Minute, Year, Hour, Second, Quarter, AmPm } kind = Literal;
    int width = 0;
    QString text;   // literal text, or the AM/PM form ("AM/PM", "am/pm", "A/P", "a/p", "AMPM")
};

bool startsWithCi(const QString &s, int at, QLatin1String what)
{
    return QStringView(s).mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

std::vector<Token> tokenize(const QString &p)
{
    std::vector<Token> out;
    const auto literal = [&out](const QString &t) {
        if (!out.empty() && out.back().kind == Token::Literal)
            out.back().text += t;
        else
            out.push_back({Token::Literal, 0, t});
    };
    for (int i = 0; i < p.size();) {
        for (QLatin1String form : {QLatin1String("AM/PM"), QLatin1String("AMPM"), QLatin1String("A/P")}) {
            if (startsWithCi(p, i, form)) {
                out.push_back({Token::AmPm, 0, p.mid(i, form.size())});
                i += int(form.size());
                goto next;
            }
        }
        {
            const QChar c = p[i];
            if (c == QLatin1Char('"')) {
                const qsizetype end = p.indexOf(QLatin1Char('"'), i + 1);
                literal(p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1));
                i = end < 0 ? int(p.size()) : int(end) + 1;
                continue;
            }
            if (c == QLatin1Char('\\')) {
                literal(p.mid(i + 1, 1));
                i += 2;
                continue;
            }
            const QChar lc = c.toLower();
            Token::Kind kind = Token::Literal;
            switch (lc.unicode()) {
            case 'd': kind = Token::Day; break;
            case 'm': kind = Token::Month; break;
            case 'n': kind = Token::Minute; break;
            case 'y': kind = Token::Year; break;
            case 'h': kind = Token::Hour; break;
            case 's': kind = Token::Second; break;
            case 'q': kind = Token::Quarter; break;
            default: break;
            }
            if (kind == Token::Literal) {
                literal(QString(c));
                ++i;
                continue;
            }
            int n = 1;
            while (i + n < p.size() && p[i + n].toLower() == lc)
                ++n;
            out.push_back({kind, n, {}});
            i += n;
        }
    next:;
    }
    // m and mm right after an hour, or right before seconds, are minutes.
    for (size_t k = 0; k < out.size(); ++k) {
        if (out[k].kind != Token::Month || out[k].width > 2)
            continue;
        size_t prev = k, nxt = k + 1;
        while (prev > 0 && out[prev - 1].kind == Token::Literal)
            --prev;
        while (nxt < out.size() && out[nxt].kind == Token::Literal)
            ++nxt;
        if ((prev > 0 && out[prev - 1].kind == Token::Hour) || (nxt < out.size() && out[nxt].kind == Token::Second))
            out[k].kind = Token::Minute;
    }
    return out;
}

QString two(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString ampm(const QString &form, bool pm, const QLocale &locale)
{
    const bool lower = form.front().isLower();
    QString t;
    if (form.compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0)
        t = pm ? QStringLiteral("P") : QStringLiteral("A");
    else if (form.compare(QLatin1String("AMPM"), Qt::CaseInsensitive) == 0)
        return pm ? locale.pmText() : locale.amText();
    else
        t = pm ? QStringLiteral("PM") : QStringLiteral("AM");
    return lower ? t.toLower() : t;
}

const char *const kControlNames[32] = {
    "NUL Null", "SOH Start Of Header", "STX Start of Text", "ETX End of Text", "EOT End of Trans.", "ENQ Enquiry",
    "ACK Acknowledge", "BEL Bell", "BS Backspace", "HT Horizontal Tab", "LF Line Feed", "VT Vertical Tab",
    "FF Form Feed", "CR Carriage Return", "SO Shift Out", "SI Shift In", "DLE Data Link Escape",
    "DC1 Control-1 (XON)", "DC2 Control-2", "DC3 Control-3 (XOFF)", "DC4 Control-4", "NAK Not Acknowledge",
    "SYN Synchronous Idle", "ETB End of Block", "CAN Cancel", "EM End of Medium", "SUB Substitute", "ESC Escape",
    "FS File Separator", "GS Group Separator", "RS Record Separator", "US Unit Separator"};

} // namespace

QString formatDateTime(const QString &pattern, const QDateTime &when, const QLocale &locale)
{
    const std::vector<Token> tokens = tokenize(pattern);
    bool twelve = false;
    for (const Token &t : tokens)
        twelve = twelve || t.kind == Token::AmPm;
    const QDate d = when.date();
    const QTime tm = when.time();
    QString out;
    for (const Token &t : tokens) {
        const int w = t.width;
        switch (t.kind) {
        case Token::Literal: out += t.text; break;
        case Token::Day:
            out += w == 1 ? QString::number(d.day())
                 : w == 2 ? two(d.day())
                          : locale.dayName(d.dayOfWeek(), w == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case Token::Month:
            out += w == 1 ? QString::number(d.month())
                 : w == 2 ? two(d.month())
                          : locale.monthName(d.month(), w == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case Token::Minute: out += w == 1 ? QString::number(tm.minute()) : two(tm.minute()); break;
        case Token::Second: out += w == 1 ? QString::number(tm.second()) : two(tm.second()); break;
        case Token::Year:
            out += w == 1 ? QString::number(d.dayOfYear()) : w == 2 ? two(d.year() % 100) : QString::number(d.year());
            break;
        case Token::Hour: {
            int h = tm.hour();
            if (twelve)
                h = h % 12 == 0 ? 12 : h % 12;
            out += w == 1 ? QString::number(h) : two(h);
            break;
        }
        case Token::Quarter: out += QString::number((d.month() + 2) / 3); break;
        case Token::AmPm: out += ampm(t.text, tm.hour() >= 12, locale); break;
        }
    }
    return out;
}

QStringList dateTimeEntries(const QDateTime &when, const QLocale &locale)
{
    const auto f = [&](const char *p) { return formatDateTime(QString::fromLatin1(p), when, locale); };
    const QString dmy = f("dd/mm/yy");
    return {dmy,          f("dd mmmm yyyy"),   f("dd mmmm, yyyy"),       f("mmmm dd, yyyy"), f("dd/mmm/yy"),
            f("mmmm, yy"), f("mmm/yy"),        dmy + ' ' + f("hh:mm"),  dmy + ' ' + f("hh:mm:ss"),
            f("hh:mm"),    f("hh:mm:ss"),      f("hh:mm AMPM"),         f("hh:mm:ss AMPM")};
}

QChar symbolChar(int code)
{
    return QChar(cp1252::toUnicode(static_cast<unsigned char>(code & 0xFF)));
}

QString controlName(int code)
{
    return code >= 0 && code < 32 ? QString::fromLatin1(kControlNames[code]) : QString();
}

QString symbolRow(int code)
{
    QString row = QStringLiteral("%1   %2   ").arg(code, 3).arg(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper());
    if (code < 32)
        return row + QStringLiteral("Ctrl-") + QChar(64 + code) + QStringLiteral("   ") + controlName(code);
    return row + QStringLiteral("    Print As |") + symbolChar(code) + QLatin1Char('|');
}

bool insertAtCaret(CFileDoc &doc, const QString &text)
{
    if (text.isEmpty())
        return false;
    QTextCursor c = doc.caret();
    // Its own edit block: never merged with the typing before it, so one undo takes it back.
    c.beginEditBlock();
    c.insertText(text);
    c.endEditBlock();
    doc.setCaret(c);
    return true;
}

void InsertUndo::counted()
{
    if (m_count < 32767)
        ++m_count;
    m_inserted = true;
}

bool InsertUndo::undo(Prompter &prompter, const std::function<void()> &undoEdit)
{
    if (m_count >= 2) {
        prompter.inform(joinLines({QStringLiteral("Can not undo insert.!"), QStringLiteral("There are to many insers.")}));
        return false;
    }
    m_count = m_count > 0 ? m_count - 1 : 0;
    undoEdit();
    m_inserted = m_count >= 1;
    return true;
}

} // namespace zx
