#pragma once
// The default text format, tab stops and page margins of new CFiles as the settings keep them,
// read and written as a whole by their windows and by the CFile commands.
#include <QList>
#include <QString>

namespace zx {

class SettingsStore;

struct TextDefaults {
    bool apply = false; // new CFiles get this format (the default-format command's check mark)
    QString fontName;
    int sizePt = 10;
    int color = 0;             // 0x00BBGGRR, as stored
    int backColor = 0xFFFFFF;  // the CFile's background
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool underline = false;
    bool operator==(const TextDefaults &) const = default;
};

struct TabDefaults {
    bool apply = false;
    QList<int> positionsTw; // ascending, in twips
    bool operator==(const TabDefaults &) const = default;
};

struct MarginDefaults {
    bool apply = false;
    int leftTw = 1440;
    int rightTw = 1440;
    bool operator==(const MarginDefaults &) const = default;
};

class DocumentDefaults {
public:
    DocumentDefaults(SettingsStore &settings, const QString &app) : m_settings(settings), m_app(app) {}

    TextDefaults text() const;
    void setText(const TextDefaults &t);
    TabDefaults tabs() const;
    void setTabs(const TabDefaults &t);
    MarginDefaults margins() const;
    void setMargins(const MarginDefaults &m);

    // Tab stops as typed or stored ("720;1440", blanks and commas allowed): ascending, without
    // repeats, within a page (1 to 31680 twips); anything else is left out.
    static QList<int> parseTabStops(const QString &text);
    static QString formatTabStops(const QList<int> &positionsTw);

    static constexpr int kMaxTwips = 31680; // 22 inches, the widest page rich text knows

private:
    SettingsStore &m_settings;
    QString m_app;
};

} // namespace zx
