#pragma once
// frmTabs: the tab stops of the paragraphs and the page margins (in inches on screen, twips in
// the settings), each with whether new CFiles get them. OK hands them back; the caller stores
// them, sets the selected paragraphs' tabs and re-wraps view mode 2 at the new page width.
#include "cfile/document_defaults.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QListWidget;

namespace zx {

class FrmTabsMargins : public QDialog {
    Q_OBJECT
public:
    FrmTabsMargins(const TabDefaults &tabs, const MarginDefaults &margins, QWidget *parent = nullptr);
    TabDefaults tabs() const;
    MarginDefaults margins() const;

private:
    void addTab();
    void setStops(const QList<int> &tw);

    QDoubleSpinBox *m_tabPos;
    QListWidget *m_tabList;
    QCheckBox *m_tabDefault;
    QDoubleSpinBox *m_left, *m_right;
    QCheckBox *m_margDefault;
};

} // namespace zx
