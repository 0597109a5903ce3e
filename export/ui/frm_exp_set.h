#pragma once
// frmExpSet, the export options window: every control carries its documented name (arrays as
// name_index); the handlers forward to ExportSetup, which holds the logic.
#include <QWidget>

class QLabel;

namespace zx::xls {

class ExportSetup;

class FrmExpSet : public QWidget {
    Q_OBJECT
public:
    explicit FrmExpSet(ExportSetup &setup, QWidget *parent = nullptr);
    ~FrmExpSet() override;

    // Loads the options and shows the window (raised when it is open already).
    void openWindow();
    // Fills the controls from the logic's state.
    void refill();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ExportSetup &m_setup;
    QWidget *m_settings = nullptr;
    QWidget *m_progress = nullptr;
    QLabel *m_progressLabel = nullptr;
};

} // namespace zx::xls
