#pragma once
// frmSymbols: the 256 character codes (lstSymbols, in the active CFile's font), the control
// characters by name; the chosen one inserted at the caret of the active CFile.
#include "edit/ui/frm_time_date.h"

namespace zx {

class FrmSymbols : public QDialog {
    Q_OBJECT
public:
    explicit FrmSymbols(InsertTarget target, QWidget *parent = nullptr);

    // Shown with the list in this font.
    void open(const QFont &font);

private:
    void insertChosen();

    InsertTarget m_target;
    QListWidget *m_lstSymbols;
};

} // namespace zx
