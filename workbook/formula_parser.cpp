// Formula text -> tokens -> tree, and the reference shift of a copied formula.
#include "workbook/formula.h"

#include <algorithm>
#include <cmath>

namespace zx::wb {

namespace {

struct RefPart {
    int row = 0, col = 0;
    bool absRow = false, absCol = false;
    int rowPos = 0; // where the row's digits begin
};

struct Token {
    enum Kind { End, Number, Text, Ident, Func, Ref, Range, Error, Op, LParen, RParen, Comma, Bad };
    Kind kind = End;
    int start = 0, end = 0;  // the token's text
    int refStart = 0;        // Ref/Range: where the cell part begins (after any sheet prefix)
    QString sheet;           // Ref/Range: sheet prefix, unquoted; empty = none
    RefPart first, last;     // Ref/Range
    double number = 0;       // Number
    QString text;            // Text (unescaped), Ident/Func (upper case), Error
    QChar op;                // Op
};

bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }

// "$AB$12" at pos; on success moves pos past it.
bool scanCell(QStringView s, int &pos, RefPart *out)
{
    int i = pos;
    RefPart r;
    if (i < s.size() && s[i] == u'$') {
        r.absCol = true;
        ++i;
    }
    int letters = 0;
    while (i < s.size() && s[i].unicode() < 128 && s[i].isLetter()) {
        r.col = r.col * 26 + (s[i].toUpper().unicode() - u'A' + 1);
        ++i;
        if (++letters > 3)
            return false;
    }
    if (letters == 0)
        return false;
    if (i < s.size() && s[i] == u'$') {
        r.absRow = true;
        ++i;
    }
    int digits = 0;
    r.rowPos = i;
    while (i < s.size() && s[i].isDigit()) {
        r.row = r.row * 10 + s[i].digitValue();
        ++i;
        if (++digits > 7)
            return false;
    }
    if (digits == 0 || r.row < 1 || r.row > kMaxRows || r.col > kMaxColumns)
        return false;
    // "LOG10(" is a function and "A1B" a name, not cell references.
    if (i < s.size() && (isIdentChar(s[i]) || s[i] == u'(' || s[i] == u'!'))
        return false;
    pos = i;
    *out = r;
    return true;
}

class Tokenizer {
public:
    explicit Tokenizer(QStringView s) : m_s(s) {}

    Token next()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
        Token t;
        t.start = m_pos;
        if (m_pos >= m_s.size()) {
            t.kind = Token::End;
            t.end = m_pos;
            return t;
        }
        const QChar c = m_s[m_pos];
        if (c.isDigit() || (c == u'.' && m_pos + 1 < m_s.size() && m_s[m_pos + 1].isDigit()))
            scanNumber(t);
        else if (c == u'"')
            scanText(t);
        else if (c == u'#')
            scanError(t);
        else if (c == u'\'' || c == u'$' || c.isLetter() || c == u'_')
            scanWord(t);
        else {
            ++m_pos;
            switch (c.unicode()) {
            case u'(': t.kind = Token::LParen; break;
            case u')': t.kind = Token::RParen; break;
            case u',': t.kind = Token::Comma; break;
            case u'+': case u'-': case u'*': case u'/': case u'^':
                t.kind = Token::Op;
                t.op = c;
                break;
            default: t.kind = Token::Bad; break;
            }
        }
        t.end = m_pos;
        return t;
    }

private:
    void scanNumber(Token &t)
    {
        int i = m_pos;
        while (i < m_s.size() && (m_s[i].isDigit() || m_s[i] == u'.'))
            ++i;
        if (i < m_s.size() && (m_s[i] == u'e' || m_s[i] == u'E')) {
            int j = i + 1;
            if (j < m_s.size() && (m_s[j] == u'+' || m_s[j] == u'-'))
                ++j;
            if (j < m_s.size() && m_s[j].isDigit()) {
                while (j < m_s.size() && m_s[j].isDigit())
                    ++j;
                i = j;
            }
        }
        bool ok = false;
        t.number = m_s.mid(m_pos, i - m_pos).toDouble(&ok);
        t.kind = ok ? Token::Number : Token::Bad;
        m_pos = i;
    }

    void scanText(Token &t)
    {
        int i = m_pos + 1;
        for (;;) {
            if (i >= m_s.size()) {
                t.kind = Token::Bad;
                m_pos = i;
                return;
            }
            if (m_s[i] == u'"') {
                if (i + 1 < m_s.size() && m_s[i + 1] == u'"') {
                    t.text += u'"';
                    i += 2;
                    continue;
                }
                break;
            }
            t.text += m_s[i++];
        }
        t.kind = Token::Text;
        m_pos = i + 1;
    }

    void scanError(Token &t)
    {
        for (const char *name : {"#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"}) {
            const QLatin1String n(name);
            if (m_s.mid(m_pos).startsWith(n, Qt::CaseInsensitive)) {
                t.kind = Token::Error;
                t.text = n;
                m_pos += int(n.size());
                return;
            }
        }
        t.kind = Token::Bad;
        ++m_pos;
    }

    // A sheet prefix, a cell reference or range, a function name, TRUE/FALSE or another name.
    void scanWord(Token &t)
    {
        int i = m_pos;
        if (m_s[i] == u'\'') {
            ++i;
            for (;;) {
                if (i >= m_s.size()) {
                    t.kind = Token::Bad;
                    m_pos = i;
                    return;
                }
                if (m_s[i] == u'\'') {
                    if (i + 1 < m_s.size() && m_s[i + 1] == u'\'') {
                        t.sheet += u'\'';
                        i += 2;
                        continue;
                    }
                    break;
                }
                t.sheet += m_s[i++];
            }
            if (i + 1 >= m_s.size() || m_s[i + 1] != u'!' || t.sheet.isEmpty()) {
                t.kind = Token::Bad;
                m_pos = i + 1;
                return;
            }
            i += 2;
        } else if (m_s[i] != u'$') {
            int j = i;
            while (j < m_s.size() && isIdentChar(m_s[j]))
                ++j;
            if (j < m_s.size() && m_s[j] == u'!') {
                t.sheet = m_s.mid(i, j - i).toString();
                i = j + 1;
            }
        }
        t.refStart = i;
        if (scanCell(m_s, i, &t.first)) {
            t.kind = Token::Ref;
            t.last = t.first;
            int j = i;
            if (j < m_s.size() && m_s[j] == u':') {
                ++j;
                if (scanCell(m_s, j, &t.last)) {
                    t.kind = Token::Range;
                    i = j;
                }
            }
            m_pos = i;
            return;
        }
        if (!t.sheet.isEmpty() || m_s[i] == u'$') {
            t.kind = Token::Bad;
            m_pos = i + 1;
            return;
        }
        int j = i;
        while (j < m_s.size() && isIdentChar(m_s[j]))
            ++j;
        t.text = m_s.mid(i, j - i).toString().toUpper();
        int k = j;
        while (k < m_s.size() && m_s[k].isSpace())
            ++k;
        t.kind = (k < m_s.size() && m_s[k] == u'(') ? Token::Func : Token::Ident;
        m_pos = j;
    }

    QStringView m_s;
    int m_pos = 0;
};

FormulaFunc functionByName(const QString &name)
{
    static const struct {
        const char *name;
        FormulaFunc func;
    } kFuncs[] = {{"SUM", FormulaFunc::Sum},         {"MIN", FormulaFunc::Min},
                  {"MAX", FormulaFunc::Max},         {"AVERAGE", FormulaFunc::Average},
                  {"STDEV", FormulaFunc::Stdev},     {"COUNT", FormulaFunc::Count}};
    for (const auto &f : kFuncs)
        if (name == QLatin1String(f.name))
            return f.func;
    return FormulaFunc::Unknown;
}

class Parser {
public:
    Parser(QStringView body, Formula &f, std::vector<DigitSlot> *slots)
        : m_body(body), m_tok(body), m_f(f), m_slots(slots)
    {
        advance();
    }

    bool parse(QString *error)
    {
        m_f.root = expression();
        if (m_error.isEmpty() && m_cur.kind != Token::End)
            fail(QStringLiteral("unexpected text at position %1").arg(m_cur.start + 2));
        if (!m_error.isEmpty() && error)
            *error = m_error;
        return m_error.isEmpty();
    }

private:
    void advance() { m_cur = m_tok.next(); }
    void fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }
    // Positions count from the '=' of the formula text.
    void slot(DigitSlot::Kind kind, int bodyPos, int node)
    {
        if (m_slots)
            m_slots->push_back({kind, bodyPos + 1, node});
    }
    int add(const FormulaNode &n)
    {
        m_f.nodes.push_back(n);
        return int(m_f.nodes.size()) - 1;
    }
    int binary(FormulaNode::Kind k, int l, int r)
    {
        FormulaNode n;
        n.kind = k;
        n.a = l;
        n.b = r;
        return add(n);
    }
    bool isOp(char16_t c) const { return m_cur.kind == Token::Op && m_cur.op == c; }

    int expression()
    {
        int left = term();
        while (m_error.isEmpty() && (isOp(u'+') || isOp(u'-'))) {
            const auto k = isOp(u'+') ? FormulaNode::Add : FormulaNode::Sub;
            advance();
            left = binary(k, left, term());
        }
        return left;
    }
    int term()
    {
        int left = power();
        while (m_error.isEmpty() && (isOp(u'*') || isOp(u'/'))) {
            const auto k = isOp(u'*') ? FormulaNode::Mul : FormulaNode::Div;
            advance();
            left = binary(k, left, power());
        }
        return left;
    }
    int power()
    {
        int left = unary();
        while (m_error.isEmpty() && isOp(u'^')) {
            advance();
            left = binary(FormulaNode::Pow, left, unary());
        }
        return left;
    }
    // A spreadsheet negates before it raises to a power: -2^2 is 4.
    int unary()
    {
        if (isOp(u'-') || isOp(u'+')) {
            const bool negate = isOp(u'-');
            advance();
            if (++m_depth > kMaxNesting) {
                fail(QStringLiteral("too many signs"));
                return add(FormulaNode{});
            }
            const int operand = unary();
            --m_depth;
            if (!negate)
                return operand;
            FormulaNode n;
            n.kind = FormulaNode::Negate;
            n.a = operand;
            return add(n);
        }
        return primary();
    }
    int sheetSlot(const QString &sheet)
    {
        if (sheet.isEmpty())
            return -1;
        for (int i = 0; i < m_f.sheetNames.size(); ++i)
            if (m_f.sheetNames[i].compare(sheet, Qt::CaseInsensitive) == 0)
                return i;
        m_f.sheetNames << sheet;
        return int(m_f.sheetNames.size()) - 1;
    }
    int primary()
    {
        FormulaNode n;
        const Token t = m_cur;
        switch (t.kind) {
        case Token::Number: {
            n.number = t.number;
            advance();
            const int node = add(n);
            const QStringView digits = m_body.mid(t.start, t.end - t.start);
            if (std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
                slot(DigitSlot::Number, t.start, node);
            return node;
        }
        case Token::Text:
            n.kind = FormulaNode::Text;
            n.number = double(m_f.texts.size());
            m_f.texts << t.text;
            advance();
            return add(n);
        case Token::Error: {
            CellError e = CellError::Value;
            errorFromText(t.text, &e);
            n.kind = FormulaNode::Error;
            n.number = double(int(e));
            advance();
            return add(n);
        }
        case Token::Ref:
        case Token::Range:
            n.kind = t.kind == Token::Ref ? FormulaNode::Ref : FormulaNode::Range;
            n.sheetSlot = std::int16_t(sheetSlot(t.sheet));
            n.a = std::min(t.first.row, t.last.row);
            n.b = std::min(t.first.col, t.last.col);
            n.a2 = std::max(t.first.row, t.last.row);
            n.b2 = std::max(t.first.col, t.last.col);
            advance();
            {
                const int node = add(n);
                slot(t.kind == Token::Ref ? DigitSlot::RefRow : DigitSlot::RangeFirst, t.first.rowPos, node);
                if (t.kind == Token::Range)
                    slot(DigitSlot::RangeLast, t.last.rowPos, node);
                return node;
            }
        case Token::Ident:
            if (t.text == QLatin1String("TRUE") || t.text == QLatin1String("FALSE")) {
                n.kind = FormulaNode::Bool;
                n.number = t.text == QLatin1String("TRUE") ? 1 : 0;
            } else {
                n.kind = FormulaNode::Name;
            }
            advance();
            return add(n);
        case Token::Func:
            return call(t);
        case Token::LParen: {
            advance();
            if (++m_depth > kMaxNesting) {
                fail(QStringLiteral("too many nested parentheses"));
                return add(n);
            }
            const int inner = expression();
            --m_depth;
            if (m_cur.kind != Token::RParen)
                fail(QStringLiteral("missing ')'"));
            advance();
            return inner;
        }
        case Token::End:
            fail(QStringLiteral("the formula ends too early"));
            return add(n);
        default:
            fail(QStringLiteral("unexpected text at position %1").arg(t.start + 2));
            return add(n);
        }
    }
    int call(const Token &name)
    {
        advance(); // the name
        advance(); // '('
        if (++m_depth > kMaxNesting) {
            fail(QStringLiteral("too many nested functions"));
            return add(FormulaNode{});
        }
        std::vector<std::int32_t> args;
        if (m_cur.kind != Token::RParen) {
            for (;;) {
                args.push_back(expression());
                if (!m_error.isEmpty())
                    break;
                if (m_cur.kind == Token::Comma) {
                    advance();
                    continue;
                }
                break;
            }
        }
        if (m_cur.kind != Token::RParen)
            fail(QStringLiteral("missing ')' after the arguments of %1").arg(name.text));
        advance();
        FormulaNode n;
        --m_depth;
        n.kind = FormulaNode::Call;
        n.func = functionByName(name.text);
        n.a = std::int32_t(m_f.args.size());
        n.b = std::int32_t(args.size());
        m_f.args.insert(m_f.args.end(), args.begin(), args.end());
        return add(n);
    }

    static constexpr int kMaxNesting = 64; // as a spreadsheet allows; bounds the recursion
    QStringView m_body;
    Tokenizer m_tok;
    Formula &m_f;
    std::vector<DigitSlot> *m_slots;
    Token m_cur;
    QString m_error;
    int m_depth = 0;
};

void appendCell(QString &out, const RefPart &r)
{
    if (r.absCol)
        out += u'$';
    out += columnName(r.col);
    if (r.absRow)
        out += u'$';
    out += QString::number(r.row);
}

bool shiftPart(RefPart &r, int dRows, int dCols)
{
    if (!r.absRow)
        r.row += dRows;
    if (!r.absCol)
        r.col += dCols;
    return r.row >= 1 && r.row <= kMaxRows && r.col >= 1 && r.col <= kMaxColumns;
}

} // namespace

std::unique_ptr<Formula> parseFormula(const QString &text, QString *error, std::vector<DigitSlot> *slots)
{
    if (!text.startsWith(u'=')) {
        if (error)
            *error = QStringLiteral("a formula starts with '='");
        return nullptr;
    }
    if (text.size() > kMaxFormulaLength) {
        if (error)
            *error = QStringLiteral("the formula is longer than %1 characters").arg(kMaxFormulaLength);
        return nullptr;
    }
    auto f = std::make_unique<Formula>();
    f->text = text;
    f->nodes.reserve(8);
    Parser p(QStringView(text).mid(1), *f, slots);
    if (!p.parse(error))
        return nullptr;
    f->sheetIndex.assign(std::size_t(f->sheetNames.size()), -1);
    return f;
}

QString shiftFormula(const QString &text, int dRows, int dCols)
{
    if (!text.startsWith(u'=') || (dRows == 0 && dCols == 0))
        return text;
    const QStringView body = QStringView(text).mid(1);
    Tokenizer tok(body);
    QString out = QStringLiteral("=");
    int copied = 0;
    for (Token t = tok.next(); t.kind != Token::End && t.kind != Token::Bad; t = tok.next()) {
        if (t.kind != Token::Ref && t.kind != Token::Range)
            continue;
        out += body.mid(copied, t.start - copied);
        RefPart first = t.first, last = t.last;
        const bool ok = shiftPart(first, dRows, dCols) & shiftPart(last, dRows, dCols);
        if (!ok) {
            out += QStringLiteral("#REF!");
        } else {
            out += body.mid(t.start, t.refStart - t.start); // sheet prefix as written
            appendCell(out, first);
            if (t.kind == Token::Range) {
                out += u':';
                appendCell(out, last);
            }
        }
        copied = t.end;
    }
    out += body.mid(copied);
    return out;
}

} // namespace zx::wb
