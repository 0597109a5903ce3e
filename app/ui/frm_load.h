#pragma once
// frmLoad: the load of a string (charge, powder, bullet, length, primer, case, temperature,
// notes), each field by its control name. Numbers are typed as the shooter writes them
// (a decimal comma, the unit glued on); the unit boxes give the unit when none is typed.
#include "link/load_line.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace zx {

class FrmLoad : public QDialog {
    Q_OBJECT
public:
    explicit FrmLoad(QWidget *parent = nullptr);
    void setLoad(const LoadData &load);
    LoadData load() const;

private:
    struct MeasureField {
        QLineEdit *value = nullptr;
        QComboBox *unit = nullptr;
    };
    MeasureField measure(const char *name, const char *unitName, const QStringList &units);
    static void show(const MeasureField &f, const LoadMeasure &m);
    static LoadMeasure read(const MeasureField &f);

    MeasureField m_charge, m_weight, m_length, m_temperature;
    QLineEdit *m_powder, *m_bullet, *m_primer, *m_case, *m_notes;
    QComboBox *m_lengthKind;
};

} // namespace zx
