#pragma once
// Conventions shared by the RTF reader, the RTF writer and the editor for the formats a CFile
// carries that QTextDocument has no direct property for.
#include <QTextCharFormat>

namespace zx::richtext {

// Document lengths (indents, tab stops, spacing) are screen pixels at 96 dpi; RTF uses twips.
constexpr double kTwipsPerPixel = 15.0;
// What one list level indents, as WordPad and Word indent lists.
constexpr int kListIndentTw = 720;
inline int pixelsToTwips(qreal px) { return qRound(px * kTwipsPerPixel); }
inline qreal twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// Character offset (raised or lowered text, RTF \up / \dn) in half-points, positive = up. Kept as
// its own property so it round-trips exactly; the visible shift is QTextCharFormat's baseline offset.
constexpr int kCharOffsetProperty = QTextFormat::UserProperty + 0x5201;

inline int charOffset(const QTextCharFormat &f)
{
    if (f.hasProperty(kCharOffsetProperty))
        return f.intProperty(kCharOffsetProperty);
    if (f.hasProperty(QTextFormat::TextBaselineOffset) && f.baselineOffset() != 0) {
        const qreal pt = f.fontPointSize() > 0 ? f.fontPointSize() : 12.0;
        return qRound(f.baselineOffset() / 100.0 * pt * 2);
    }
    return 0;
}

// Sets the offset; fontPointSize converts it to the baseline shift Qt draws (a share of the font).
inline void setCharOffset(QTextCharFormat &f, int halfPoints, qreal fontPointSize)
{
    if (halfPoints == 0) {
        f.clearProperty(kCharOffsetProperty);
        f.clearProperty(QTextFormat::TextBaselineOffset);
        return;
    }
    const qreal pt = fontPointSize > 0 ? fontPointSize : 12.0;
    f.setProperty(kCharOffsetProperty, halfPoints);
    f.setBaselineOffset(halfPoints / 2.0 / pt * 100.0);
}

} // namespace zx::richtext
