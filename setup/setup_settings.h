#pragma once
// The setup panel's settings by name, as zentrix-cli's setup command reads and changes them:
// each name with the words its value takes, the value as the panel shows it, and the change
// made through the panel's own operation.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zx {

class CroSetup;

QStringList setupSettingNames();
// Every value the panel shows, one (name, value) pair each.
QList<QPair<QString, QString>> setupValues(CroSetup &setup);
// The value of one setting as the panel shows it ("unknown" for a switch the chronograph
// has not shown yet).
QString setupValue(CroSetup &setup, const QString &name);
// Empty when value is one the setting takes; otherwise the reason, nothing is sent.
QString checkSetupValue(const QString &name, const QString &value);
// Changes one checked setting; true when the chronograph now shows it.
bool applySetupValue(CroSetup &setup, const QString &name, const QString &value);

} // namespace zx
