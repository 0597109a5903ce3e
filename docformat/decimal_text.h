#pragma once
// Plain decimal text ("2906.30", "-12", "0.000688") read quickly and exactly. Up to 15
// digits the digits form an exact whole number and the power of ten is exact too, so one
// division rounds once: the same double as a full conversion gives. Anything else (more
// digits, exponents, blanks) goes to QStringView::toDouble.
#include <QStringView>

namespace zx {

inline bool readDecimal(QStringView s, double *out)
{
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                        1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const bool negative = !s.isEmpty() && s[0] == u'-';
    if (negative || (!s.isEmpty() && s[0] == u'+'))
        ++i;
    long long whole = 0;
    int digits = 0, fraction = -1;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            whole = whole * 10 + (c - u'0');
            if (fraction >= 0)
                ++fraction;
            if (++digits > 15)
                break;
        } else if (c == u'.' && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    if (i < s.size() || digits == 0) {
        bool ok = false;
        const double v = s.toDouble(&ok);
        if (ok)
            *out = v;
        return ok;
    }
    const double v = fraction > 0 ? double(whole) / kPow10[fraction] : double(whole);
    *out = negative ? -v : v;
    return true;
}

} // namespace zx
