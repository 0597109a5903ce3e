#pragma once
// Small builders shared by the chronograph setup windows: controls named as their arrays
// are (name + "_" + index), arrow buttons, read-only value boxes, option pairs that can show
// neither option selected.
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QWidget;

namespace zx::setupui {

QString arrayName(const char *name, int index);
QGroupBox *frame(QWidget *parent, const char *name, const QString &title);
QToolButton *arrowButton(QWidget *parent, const QString &name, bool up, const QString &tip);
QLineEdit *valueBox(QWidget *parent, const QString &name, int chars);
// Selects option index of the group, or none for -1.
void selectOption(QButtonGroup *group, int index);

} // namespace zx::setupui
