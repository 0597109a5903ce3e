#pragma once
// frmTimeDate: the current date and time in thirteen formats (lstDates) or in a typed pattern
// (txtCustom, sample in lblSample), inserted at the caret of the active CFile; cmdUndo takes
// back a single counted insertion, and only while it is still the CFile's last edit.
#include "edit/text_insert.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zx {

class CFileDoc;
class Prompter;

struct InsertTarget {
    std::function<CFileDoc *()> editableDoc;   // the active CFile when it may be changed, else null
    std::function<void()> focusDoc;
};

class FrmTimeDate : public QDialog {
    Q_OBJECT
public:
    FrmTimeDate(Prompter &prompter, InsertTarget target, Clock clock = systemClock, QWidget *parent = nullptr);

    // The list filled with the time of this moment, then shown.
    void open();

private:
    void insert(const QString &text, bool counted);
    void undo();

    Prompter &m_prompter;
    InsertTarget m_target;
    Clock m_clock;
    InsertUndo m_undo;
    QPointer<CFileDoc> m_insertedInto;   // the CFile of the last insertion, and its revision then
    int m_revisionAfter = -1;
    QListWidget *m_lstDates;
    QLineEdit *m_txtCustom;
    QLabel *m_lblSample;
    QPushButton *m_cmdUndo;
};

} // namespace zx
