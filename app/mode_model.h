#pragma once
// The mode and status model of the main window: from the program's state (link,
// capture switch, sensors, device, user level, debug flags, active CFile) to what
// the windows show (captions, mode label, key colours, command states, the
// sensitivity text). Pure functions; the windows apply the result.
#include <QHash>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <optional>

namespace zx {

enum class Mode { Edit, Shoot, Remote, Tty };

// State read by the refresh; owned elsewhere, gathered for each refresh.
struct ProgramState {
    int appNumber = 0;
    int portNum = 1;          // link port's COM number
    bool portOpen = false;
    bool captureOn = false;   // capture switch (link flag 1)
    bool sensorsOn = false;   // bCroSensorsOn
    int device = 0;           // iCroDevice: 0 = RV5
    QString deviceName = QStringLiteral(" RV5 Vantor");  // as listed in the port properties
    bool statusOk = false;    // bCroStatusOk
    int sensLevel = 0;        // iCroSensLevel
    bool rapidOn = false;
    bool archeryOn = false;
    // Flags.
    int userLevel = 0;
    bool softTest = false;
    bool shipMode = true;
    bool softDebug = false;
    bool getRegistry = true;
    bool saveRegistry = true;
    bool clearRegistry = false;
    bool moreOptions = false;
    bool softEdit = false;
    bool formatDefault = false;
    bool marginDefault = false;
    bool tabDefault = false;
    bool excelOpen = false;
    // Active CFile: the selection's character offset and bullet state.
    bool hasCFile = false;
    int selOffset = 0;         // 0 on the line, above 0 raised, below 0 lowered
    bool selBullet = false;
    // Old support-window captions (their text after the first blank is kept).
    QString remoteCaption = QStringLiteral("iPad ");
    QString terminalCaption = QStringLiteral("iLoger ");
};

// One command's state; unset parts are left as they are.
struct CmdState {
    std::optional<bool> enabled;
    std::optional<bool> checked;
    std::optional<bool> visible;
    std::optional<QString> text;
};

class CommandStates {
public:
    void enable(const QString &name, bool on) { m_map[name].enabled = on; }
    void check(const QString &name, bool on) { m_map[name].checked = on; }
    void show(const QString &name, bool on) { m_map[name].visible = on; }
    void setText(const QString &name, const QString &t) { m_map[name].text = t; }
    // Apply to a tool button and its menu twins.
    void enableWithTwins(const QString &key, bool on);
    void checkWithTwins(const QString &key, bool on);
    void merge(const CommandStates &other);
    const QHash<QString, CmdState> &map() const { return m_map; }
    CmdState value(const QString &name) const { return m_map.value(name); }
    bool contains(const QString &name) const { return m_map.contains(name); }

private:
    QHash<QString, CmdState> m_map;
};

enum class PointerKind { Standard, CapArrow, RemArrow };

// Colours used by the mode display.
inline constexpr QRgb kGreen = 0xff00ff00;
inline constexpr QRgb kYellow = 0xffffff00;
inline constexpr QRgb kCyan = 0xff00ffff;
inline constexpr QRgb kGrey = 0xffc0c0c0;

struct ViewState {
    Mode mode = Mode::Edit;
    bool editingAllowed = true;
    bool clearCapture = false;     // the refresh turns the capture switch off
    QString windowTag;             // appNumber + "_" + port + " "
    QString mainCaption;
    QString remoteCaption;
    QString terminalCaption;
    QString propertiesCaption;
    QString propertiesChronoName;  // "Chrono-" + port
    QString notesCaption;
    QRgb startKey = kGrey, stopKey = kGrey, remoteKey = kGrey;
    QString modeLabel;
    std::optional<QRgb> modeColor; // empty: the system button-face colour
    PointerKind pointer = PointerKind::Standard;
    QString portCommandText;       // "&Port-On" / "&Port-Off"
    bool connectPressed = false;
    QString sensitivityText;
    bool debugVisibleHint = false;
    bool excelCapture = false;
    CommandStates commands;
};

Mode modeOf(bool captureOn, bool portOpen, bool sensorsOn, int device);
// Editing commands are allowed unless in Shoot mode; SoftEdit allows them always.
bool editingAllowed(bool captureOn, bool sensorsOn, bool softEdit);
QString modeCaptionPart(Mode m);
QString modeLabelText(Mode m);
QString instanceName(int appNumber);

// The mode and status refresh, steps 1 to 15, as a pure function.
ViewState modeStatusRefresh(const ProgramState &s);

} // namespace zx
