#include "app/mode_model.h"

#include "app/mode_commands.h"

namespace zx {

void CommandStates::enableWithTwins(const QString &key, bool on)
{
    enable(key, on);
    for (const QString &t : cmd::menuTwins(key))
        enable(t, on);
}

void CommandStates::checkWithTwins(const QString &key, bool on)
{
    check(key, on);
    for (const QString &t : cmd::menuTwins(key))
        check(t, on);
}

void CommandStates::merge(const CommandStates &other)
{
    for (auto it = other.m_map.cbegin(); it != other.m_map.cend(); ++it) {
        CmdState &mine = m_map[it.key()];
        if (it->enabled)
            mine.enabled = it->enabled;
        if (it->checked)
            mine.checked = it->checked;
        if (it->visible)
            mine.visible = it->visible;
        if (it->text)
            mine.text = it->text;
    }
}

Mode modeOf(bool captureOn, bool portOpen, bool sensorsOn, int device)
{
    if (!captureOn || !portOpen)
        return Mode::Edit;
    if (device != 0)
        return Mode::Tty;
    return sensorsOn ? Mode::Shoot : Mode::Remote;
}

bool editingAllowed(bool captureOn, bool sensorsOn, bool softEdit)
{
    return softEdit || !(captureOn && sensorsOn);
}

QString modeCaptionPart(Mode m)
{
    switch (m) {
    case Mode::Edit: return QStringLiteral(" {Edit}");
    case Mode::Shoot: return QStringLiteral(" {Shoot} ");
    case Mode::Remote: return QStringLiteral(" {Remote} ");
    case Mode::Tty: return QStringLiteral(" {TTY} ");
    }
    return {};
}

QString modeLabelText(Mode m)
{
    switch (m) {
    case Mode::Edit: return QStringLiteral("Edit");
    case Mode::Shoot: return QStringLiteral("Shoot");
    case Mode::Remote: return QStringLiteral("Remo");
    case Mode::Tty: return QStringLiteral("TTY");
    }
    return {};
}

QString instanceName(int appNumber)
{
    return QStringLiteral("Zentrix") + QString::number(appNumber);
}

namespace {

// The text after a caption's first blank; a caption without one stays as it is.
QString retag(const QString &old, const QString &prefix, const QString &tag)
{
    const int blank = old.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return old;
    return prefix + tag + old.mid(blank + 1);
}

QString trimLeading(const QString &s)
{
    int i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

} // namespace

ViewState modeStatusRefresh(const ProgramState &s)
{
    ViewState v;
    // 1. Port and tag.
    const QString p = QString::number(s.portNum);
    v.windowTag = QString::number(s.appNumber) + QLatin1Char('_') + p + QLatin1Char(' ');
    v.mode = modeOf(s.captureOn, s.portOpen, s.sensorsOn, s.device);
    v.editingAllowed = editingAllowed(s.captureOn, s.sensorsOn, s.softEdit);

    // 2. Support window captions.
    v.remoteCaption = retag(s.remoteCaption, QStringLiteral("iPad"), v.windowTag);
    v.terminalCaption = retag(s.terminalCaption, QStringLiteral("iLoger"), v.windowTag);
    v.propertiesChronoName = QStringLiteral("Chrono-") + p;
    v.propertiesCaption = QStringLiteral("CSetup") + v.windowTag + QLatin1Char('}');
    v.notesCaption = QStringLiteral("iNotes") + v.windowTag;

    // 3. Remote panel keys.
    v.startKey = v.stopKey = v.remoteKey = kGrey;
    if (v.mode == Mode::Shoot)
        v.startKey = kGreen;
    else if (v.mode == Mode::Remote)
        v.remoteKey = kGreen;
    else if (v.mode == Mode::Edit && s.statusOk)
        v.stopKey = kGreen;

    // 4. Pointer over the CFile and the six editing buttons.
    v.pointer = v.mode == Mode::Shoot ? PointerKind::CapArrow
                : v.mode == Mode::Remote ? PointerKind::RemArrow
                                         : PointerKind::Standard;
    if (s.hasCFile) {
        for (const QString &k : {cmd::Cut, cmd::Paste, cmd::Undo, cmd::Redo, cmd::CaseToUpper, cmd::CaseToLower})
            v.commands.enableWithTwins(k, v.editingAllowed);
    }

    // 5. Mode label; Edit mode turns the capture switch off.
    v.modeLabel = modeLabelText(v.mode);
    switch (v.mode) {
    case Mode::Edit: v.modeColor.reset(); break;
    case Mode::Shoot: v.modeColor = kGreen; break;
    case Mode::Remote: v.modeColor = kYellow; break;
    case Mode::Tty: v.modeColor = kCyan; break;
    }
    if (v.mode == Mode::Edit && s.captureOn)
        v.clearCapture = true;

    // 6. Main window caption.
    v.mainCaption = instanceName(s.appNumber) + QStringLiteral(" {COM") + p
                    + (s.portOpen ? QStringLiteral("=ON}") : QStringLiteral("=OFF}"))
                    + modeCaptionPart(v.mode) + QStringLiteral(" {") + trimLeading(s.deviceName)
                    + QLatin1Char('}');

    // 8. Port command and Connect button.
    v.portCommandText = s.portOpen ? QStringLiteral("&Port-On") : QStringLiteral("&Port-Off");
    v.connectPressed = s.portOpen;
    v.commands.check(cmd::Connect, s.portOpen);
    v.commands.check(cmd::mnuConnect, s.portOpen);
    if (!s.portOpen && s.captureOn)
        v.clearCapture = true;

    // 9. Format state of the active CFile.
    if (s.hasCFile) {
        v.commands.check(cmd::mnuFmtOffNorm, s.selOffset == 0);
        v.commands.check(cmd::mnuFmtOffUp, s.selOffset > 0);
        v.commands.check(cmd::mnuFmtOffDown, s.selOffset < 0);
        v.commands.check(cmd::mnuFmtBullet, s.selBullet);
    }

    // 10. Debug menu.
    v.commands.setText(cmd::mnuDbgLevel, QStringLiteral("Lev-") + QString::number(s.userLevel) + QStringLiteral("..."));
    v.commands.check(cmd::mnuDbgMinLev, s.userLevel == 0);
    v.commands.check(cmd::mnuDbgMaxLev, s.userLevel == 4);
    v.commands.check(cmd::mnuDbgSftTst, s.softTest);
    v.commands.check(cmd::mnuDbgSftShp, s.shipMode);
    v.commands.check(cmd::mnuDbgSftDbg, s.softDebug);
    v.commands.check(cmd::mnuDbgGetReg, s.getRegistry);
    v.commands.check(cmd::mnuDbgSavReg, s.saveRegistry);
    v.commands.check(cmd::mnuDbgZapReg, s.clearRegistry);

    // 11. Extra options.
    v.commands.enable(cmd::BTerminal, s.moreOptions);
    v.commands.enable(cmd::Keypad, s.moreOptions);
    v.commands.show(cmd::mnuKeyPad, s.moreOptions);
    v.commands.show(cmd::mnuIRemote, s.moreOptions);

    // 12. RV5-only commands, test levels, default checks, Excel link.
    const bool rv5 = s.device == 0;
    for (const QString &c : cmd::rv5Commands())
        v.commands.enable(c, rv5);
    for (const QString &c : cmd::testLevelCommands())
        v.commands.show(c, s.userLevel > 0);
    for (const QString &c : cmd::level4Commands())
        v.commands.show(c, s.userLevel == 4);
    v.commands.check(cmd::mnuFmtDefault, s.formatDefault);
    v.commands.check(cmd::mnuMargDefault, s.marginDefault);
    v.commands.check(cmd::mnuTabDefault, s.tabDefault);
    v.commands.check(cmd::mnuExcConnect, s.excelOpen);
    v.commands.check(cmd::mnuExcDisConnect, !s.excelOpen);

    // 13. Chronograph state commands.
    if (s.statusOk) {
        v.commands.check(cmd::mnuRemRapidFireOn, s.rapidOn);
        v.commands.check(cmd::mnuRemArcheryOn, s.archeryOn);
        v.commands.check(cmd::mnuSnsOn, s.sensorsOn);
    }
    const bool shootLike = v.mode == Mode::Shoot || v.mode == Mode::Tty;
    for (const QString &c : {cmd::mnuRemStart, cmd::popRemStart}) {
        v.commands.enable(c, true);
        v.commands.check(c, shootLike);
    }
    for (const QString &c : {cmd::mnuRemStop, cmd::popRemStop}) {
        v.commands.enable(c, true);
        v.commands.check(c, v.mode == Mode::Edit);
    }
    for (const QString &c : {cmd::mnuRemRemo, cmd::popRemRemo}) {
        v.commands.enable(c, rv5);
        v.commands.check(c, v.mode == Mode::Remote);
    }

    // 14. Sensitivity.
    v.sensitivityText = s.statusOk ? QStringLiteral("Sensitivity ") + QString::number(s.sensLevel) + QLatin1Char('%')
                                   : QStringLiteral("Sensitivity ???");

    // 15. Excel capture follows the Excel link.
    v.excelCapture = s.excelOpen;
    return v;
}

} // namespace zx
