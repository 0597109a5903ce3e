#include "link/status_parser.h"

#include <cfloat>
#include <cmath>

namespace zx {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A value that does not fit the field: the parse ends here (the old program's
// overflow error did the same), leaving the field as it was.
std::optional<float> toSingle(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > double(FLT_MAX))
        return std::nullopt;
    return float(v);
}

// Text fields are kept at a fixed width, left-aligned and space padded.
QString fixedText(QStringView v, int width)
{
    return v.trimmed().left(width).toString().leftJustified(width, u' ');
}

// A terminator found in the answer: where it starts and how long it is.
struct Found {
    qsizetype at = -1;
    qsizetype len = 0;
    bool ok() const { return at >= 0; }
};

// What ends a value. The chronograph separates fields with a space and ends lines
// with CR LF; line ends may reach us normalised or as a lone CR or LF, and a line
// may break where a space was expected, so any blank ends a space-ended value, and
// CR or LF ends a line-ended one.
enum class Term {
    Char,      // one given character (":", "S", "=")
    Blank,     // " " (or any blank)
    LetterBlank, // a given letter followed by a blank ("V ", "% ")
    LineEnd,   // CR (or LF)
};

Found findTerm(const QString &t, qsizetype from, Term kind, QChar ch = QChar())
{
    const qsizetype n = t.size();
    for (qsizetype i = from; i < n; ++i) {
        const QChar c = t.at(i);
        switch (kind) {
        case Term::Char:
            if (c == ch)
                return {i, 1};
            break;
        case Term::Blank:
            if (isBlank(c))
                return {i, 1};
            break;
        case Term::LetterBlank:
            if (c == ch && i + 1 < n && isBlank(t.at(i + 1)))
                return {i, 2};
            break;
        case Term::LineEnd:
            if (c == u'\r' || c == u'\n')
                return {i, 1};
            break;
        }
    }
    return {};
}

// Walks the answer field by field with one cursor, as the chronograph orders them.
class StatusReader {
public:
    explicit StatusReader(const QString &text) : t(text) {}

    // Finds key at or after the cursor, then its terminator after the key. On success
    // the value is the text between them and valEnd/termEnd are set.
    bool field(QLatin1StringView key, Term kind, QChar ch = QChar())
    {
        const qsizetype k = t.indexOf(key, pos);
        if (k < 0)
            return false;
        valStart = k + key.size();
        term = findTerm(t, valStart, kind, ch);
        if (!term.ok())
            return false;
        return true;
    }

    QStringView value() const { return QStringView(t).mid(valStart, term.at - valStart); }
    void moveToTerm() { pos = term.at; }
    void moveAfterTerm() { pos = term.at + term.len; }

    // An on/off field whose value is a whole word at the very end of the answer
    // (cut right after it) still counts: "ON" and "OFF" are complete without a blank.
    bool onOffField(QLatin1StringView key, bool &out)
    {
        if (field(key, Term::Blank)) {
            out = onWord(value());
            moveAfterTerm();
            return true;
        }
        const qsizetype k = t.indexOf(key, pos);
        if (k < 0)
            return false;
        const QStringView rest = QStringView(t).mid(k + key.size());
        if (rest != u"ON" && rest != u"OFF")
            return false;
        out = rest == u"ON";
        pos = t.size();
        return true;
    }

    static bool onWord(QStringView v) { return v.trimmed() == u"ON"; }

    QStringView at(qsizetype offset, qsizetype len) const
    {
        return QStringView(t).mid(pos + offset).left(len);
    }

    const QString &t;
    qsizetype pos = 0;
    qsizetype valStart = 0;
    Found term;
};

} // namespace

double leadingNumber(QStringView s, qsizetype *len)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n && isBlank(s.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s.at(i))) {
        ++i;
        ++digits;
    }
    if (i < n && s.at(i) == u'.') {
        qsizetype j = i + 1;
        qsizetype frac = 0;
        while (j < n && isDigit(s.at(j))) {
            ++j;
            ++frac;
        }
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0) {
        if (len)
            *len = 0;
        return 0.0;
    }
    // Exponent only when digits follow it, so "12E" reads as 12.
    if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s.at(j) == u'+' || s.at(j) == u'-'))
            ++j;
        if (j < n && isDigit(s.at(j))) {
            while (j < n && isDigit(s.at(j)))
                ++j;
            i = j;
        }
    }
    if (len)
        *len = i;
    bool ok = false;
    const double v = s.mid(start, i - start).toString().toDouble(&ok);
    // Out of range: an infinity (so the caller sees an overflow), or 0 when too tiny.
    return ok || std::isinf(v) ? v : 0.0;
}

std::optional<qint16> leadingInt16(QStringView text)
{
    const double v = std::trunc(leadingNumber(text));
    if (!std::isfinite(v) || v < -32768.0 || v > 32767.0)
        return std::nullopt;
    return qint16(v);
}

bool parseStatus(CroState &st, const QString &text, int *stepsDone)
{
    st.bCroStatusOk = false;
    StatusReader r(text);
    int step = 0;
    auto done = [&](bool ok) {
        if (stepsDone)
            *stepsDone = step;
        if (ok)
            st.bCroStatusOk = true;
        return ok;
    };
    auto int16Field = [&](QLatin1StringView key, Term kind, qint16 &out, QChar ch = QChar()) {
        if (!r.field(key, kind, ch))
            return false;
        const auto v = leadingInt16(r.value());
        if (!v)
            return false;
        out = *v;
        r.moveAfterTerm();
        return true;
    };
    auto singleField = [&](QLatin1StringView key, Term kind, float &out, QChar ch = QChar()) {
        if (!r.field(key, kind, ch))
            return false;
        const auto v = toSingle(leadingNumber(r.value()));
        if (!v)
            return false;
        out = *v;
        r.moveAfterTerm();
        return true;
    };
    auto textField = [&](QLatin1StringView key, Term kind, QString &out, int width) {
        if (!r.field(key, kind))
            return false;
        out = fixedText(r.value(), width);
        r.moveAfterTerm();
        return true;
    };

    // 1. model: ", " up to ":"; the cursor stays on the ":" so that ":V" is found there.
    if (!r.field(QLatin1StringView(", "), Term::Char, u':'))
        return done(false);
    st.sCroModel = fixedText(r.value(), 4);
    r.moveToTerm();
    ++step;
    // 2. firmware version ":V" up to "S"
    if (!int16Field(QLatin1StringView(":V"), Term::Char, st.iCroVersion, u'S'))
        return done(false);
    ++step;
    // 3. total shots
    if (!int16Field(QLatin1StringView("SYS:"), Term::Blank, st.iCroShotTotal))
        return done(false);
    ++step;
    // 4. battery, volts
    if (!singleField(QLatin1StringView("Bat="), Term::LetterBlank, st.fCroBattery, u'V'))
        return done(false);
    ++step;
    // 5. case temperature: the unit letter before the blank is skipped
    {
        if (!r.field(QLatin1StringView("Tmp="), Term::Blank))
            return done(false);
        const qsizetype len = r.term.at - r.valStart - 1;
        const auto v = toSingle(leadingNumber(QStringView(text).mid(r.valStart, len < 0 ? 0 : len)));
        if (!v)
            return done(false);
        st.fCroTemp = *v;
        r.moveAfterTerm();
        ++step;
    }
    // 6. power-down: "PwrDown=" ON|OFF "=" hh ? mm, read by position
    {
        if (!r.field(QLatin1StringView("PwrDown="), Term::Char, u'='))
            return done(false);
        const bool on = StatusReader::onWord(r.value());
        r.moveAfterTerm();
        // An answer cut inside the time would give a wrong time: treat it as missing.
        if (text.size() - r.pos < 5)
            return done(false);
        const auto hrs = leadingInt16(r.at(0, 2));
        const auto min = leadingInt16(r.at(3, 2));
        if (!hrs || !min) // two characters always fit; kept for safety
            return done(false);
        st.bCroPwrDown = on;
        st.iCroPwrDownHrs = *hrs;
        st.iCroPwrDownMin = *min;
        r.pos += 5;
        ++step;
    }
    // 7-9. rapid fire, archery, sensors
    if (!r.onOffField(QLatin1StringView("Faf="), st.bCroRapidOn))
        return done(false);
    ++step;
    if (!r.onOffField(QLatin1StringView("Arc="), st.bCroArcheryOn))
        return done(false);
    ++step;
    if (!r.onOffField(QLatin1StringView("Sens="), st.bCroSensorsOn))
        return done(false);
    ++step;
    // 10. sensitivity, percent ("% " must follow)
    if (!int16Field(QLatin1StringView("SLev="), Term::LetterBlank, st.iCroSensLevel, u'%'))
        return done(false);
    ++step;
    // 11. calibration value, end of line
    if (!int16Field(QLatin1StringView("Cal="), Term::LineEnd, st.iCroCalLevel))
        return done(false);
    ++step;
    // 12-14. send-log options
    if (!r.onOffField(QLatin1StringView("K*Log="), st.bCroLogK))
        return done(false);
    ++step;
    if (!r.onOffField(QLatin1StringView("L*Log="), st.bCroLogL))
        return done(false);
    ++step;
    if (!r.onOffField(QLatin1StringView("J*Log="), st.bCroLogJ))
        return done(false);
    ++step;
    // 15. user cam level, end of line
    if (!int16Field(QLatin1StringView("Cam="), Term::LineEnd, st.iCroCamLevel))
        return done(false);
    ++step;
    // 16-18. units; the second "Tmp=" lies past the cursor, after the first one
    if (!textField(QLatin1StringView("Vel="), Term::Blank, st.sCroVelUnits, 3))
        return done(false);
    ++step;
    if (!textField(QLatin1StringView("Tmp="), Term::Blank, st.sCroTmpUnits, 3))
        return done(false);
    ++step;
    if (!textField(QLatin1StringView("Tim="), Term::LineEnd, st.sCroTimUnits, 3))
        return done(false);
    ++step;
    // 19-21. eDisk geometry
    if (!int16Field(QLatin1StringView("MaxFol="), Term::Blank, st.iCroMaxFol))
        return done(false);
    ++step;
    if (!int16Field(QLatin1StringView("MaxStr="), Term::Blank, st.iCroMaxStr))
        return done(false);
    ++step;
    if (!int16Field(QLatin1StringView("MaxSho="), Term::LineEnd, st.iCroMaxSho))
        return done(false);
    ++step;
    // 22. position block: four two-character numbers 3 apart; its line must be complete.
    {
        if (!r.field(QLatin1StringView("Att="), Term::LineEnd))
            return done(false);
        const QStringView v = r.value(); // by position, within its line
        const auto fol = leadingInt16(v.mid(0, 2));
        const auto str = leadingInt16(v.mid(3, 2));
        const auto rev = leadingInt16(v.mid(6, 2));
        const auto pos = leadingInt16(v.mid(9, 2));
        if (!fol || !str || !rev || !pos)
            return done(false);
        st.iCroCurFol = *fol;
        st.iCroCurStr = *str;
        st.iCroShotReview = *rev;
        st.iCroShotPos = *pos;
        ++step;
    }
    return done(true);
}

bool parseMemPos(const QString &answer, double &folder, double &string, double &shot,
                 qint16 &size)
{
    // The answer opens with an echo of the position line; the values are looked for
    // past it, and anywhere when an answer is shorter than usual.
    auto findFrom = [&](QLatin1StringView key, qsizetype from) {
        qsizetype at = answer.indexOf(key, from);
        if (at < 0 && from > 0)
            at = answer.indexOf(key);
        return at;
    };
    auto numberAfter = [&](qsizetype keyAt) {
        return leadingNumber(QStringView(answer).mid(keyAt + 4));
    };

    const qsizetype fol = findFrom(QLatin1StringView("Fol="), 15);
    if (fol < 0)
        return false;
    folder = numberAfter(fol);

    // Each next key is looked for past the previous key ("Fol=NN Str=" puts it 7 on;
    // one-digit values put it closer, which is read just as well).
    const qsizetype str = answer.indexOf(QLatin1StringView("Str="), fol + 4);
    if (str < 0)
        return false;
    string = numberAfter(str);

    const qsizetype siz = answer.indexOf(QLatin1StringView("Siz="), str + 4);
    if (siz < 0)
        return false;
    const auto sizeValue = leadingInt16(QStringView(answer).mid(siz + 4));
    if (!sizeValue)
        return false;
    size = *sizeValue;

    const qsizetype sho = answer.indexOf(QLatin1StringView("Sho="), siz + 4);
    if (sho < 0)
        return false;
    shot = numberAfter(sho);

    const qsizetype att = findFrom(QLatin1StringView("Att="), 10);
    if (att < 0)
        return false;
    const QStringView block = QStringView(answer).mid(att + 4);
    return leadingNumber(block.mid(0)) == folder && leadingNumber(block.mid(3)) == string
        && leadingNumber(block.mid(6)) == double(size) && leadingNumber(block.mid(9)) == shot;
}

bool sensorsOffAnswer(CroState &st, const QString &rsp, bool failed)
{
    if (!failed && rsp.lastIndexOf(QLatin1StringView("Sens=OFF")) >= 0) {
        st.bCroSensorsOn = false;
        return true;
    }
    st.bCroStatusOk = false;
    return false;
}

qint16 calNoise(const QString &rsp)
{
    constexpr qint16 unreadable = 9999;
    // Positions below are 0-based; the figure must lie past the answer's first 19
    // characters (the "CAL:" opening).
    constexpr qsizetype minAt = 19;
    if (rsp.size() < 10 || rsp.contains(QLatin1StringView("ERR")))
        return unreadable;
    qsizetype p1 = rsp.lastIndexOf(QLatin1StringView("\r\n"));
    if (p1 < 0) // line ends that reached us as a lone CR or LF
        p1 = qMax(rsp.lastIndexOf(u'\r'), rsp.lastIndexOf(u'\n'));
    if (p1 < minAt)
        return unreadable;
    const qsizetype p2 = rsp.lastIndexOf(u' ', p1 - 1);
    if (p2 < minAt)
        return unreadable;
    const qsizetype p3 = rsp.lastIndexOf(u' ', p2 - 1);
    if (p3 < minAt)
        return unreadable;
    const QStringView word = QStringView(rsp).mid(p3 + 1, p2 - p3 - 1).trimmed().left(3);
    const auto v = leadingInt16(word);
    return v ? *v : unreadable;
}

QString onOffText(bool flag)
{
    return flag ? QStringLiteral(" On") : QStringLiteral(" Off");
}

} // namespace zx
