#include "cfile/document_defaults.h"

#include "cfile/cfile_settings.h"
#include "platform/settings_store.h"

#include <QRegularExpression>

#include <algorithm>

namespace zx {

using namespace cfilekeys;

TextDefaults DocumentDefaults::text() const
{
    TextDefaults t;
    t.apply = m_settings.readBool(m_app, FormatSetDefalt);
    t.fontName = m_settings.read(m_app, FontName);
    t.sizePt = std::clamp(m_settings.readInt(m_app, FontSize), 1, 1638);
    t.color = m_settings.readInt(m_app, FontColor) & 0xFFFFFF;
    t.backColor = m_settings.readInt(m_app, FontBackColor) & 0xFFFFFF;
    t.bold = m_settings.readBool(m_app, FontBold);
    t.italic = m_settings.readBool(m_app, FontItalic);
    t.strike = m_settings.readBool(m_app, FontStrikeThru);
    t.underline = m_settings.readBool(m_app, FontUnderline);
    return t;
}

void DocumentDefaults::setText(const TextDefaults &t)
{
    m_settings.writeBool(m_app, FormatSetDefalt, t.apply);
    m_settings.write(m_app, FontName, t.fontName);
    m_settings.writeInt(m_app, FontSize, t.sizePt);
    m_settings.writeInt(m_app, FontColor, t.color);
    m_settings.writeInt(m_app, FontBackColor, t.backColor);
    m_settings.writeBool(m_app, FontBold, t.bold);
    m_settings.writeBool(m_app, FontItalic, t.italic);
    m_settings.writeBool(m_app, FontStrikeThru, t.strike);
    m_settings.writeBool(m_app, FontUnderline, t.underline);
}

TabDefaults DocumentDefaults::tabs() const
{
    return {m_settings.readBool(m_app, TabDefalt), parseTabStops(m_settings.read(m_app, TabPos))};
}

void DocumentDefaults::setTabs(const TabDefaults &t)
{
    m_settings.writeBool(m_app, TabDefalt, t.apply);
    m_settings.write(m_app, TabPos, formatTabStops(t.positionsTw));
}

MarginDefaults DocumentDefaults::margins() const
{
    MarginDefaults m;
    m.apply = m_settings.readBool(m_app, MargDefalt);
    m.leftTw = std::clamp(m_settings.readInt(m_app, prnLeftMargin), 0, kMaxTwips);
    m.rightTw = std::clamp(m_settings.readInt(m_app, prnRightMargin), 0, kMaxTwips);
    return m;
}

void DocumentDefaults::setMargins(const MarginDefaults &m)
{
    m_settings.writeBool(m_app, MargDefalt, m.apply);
    m_settings.writeInt(m_app, prnLeftMargin, std::clamp(m.leftTw, 0, kMaxTwips));
    m_settings.writeInt(m_app, prnRightMargin, std::clamp(m.rightTw, 0, kMaxTwips));
}

QList<int> DocumentDefaults::parseTabStops(const QString &text)
{
    static const QRegularExpression sep(QStringLiteral("[;,\\s]+"));
    QList<int> out;
    for (const QString &part : text.split(sep, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (ok && v > 0 && v <= kMaxTwips)
            out << v;
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

QString DocumentDefaults::formatTabStops(const QList<int> &positionsTw)
{
    QStringList parts;
    for (int v : positionsTw)
        parts << QString::number(v);
    // the same rules as reading: what is stored reads back unchanged
    QStringList clean;
    for (int v : parseTabStops(parts.join(QLatin1Char(';'))))
        clean << QString::number(v);
    return clean.join(QLatin1Char(';'));
}

} // namespace zx
