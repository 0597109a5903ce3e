#pragma once
// frmCroSetup, "RV5 Setup Options": the chronograph's last status and every setting the PC
// can change, each sent at once when its control is clicked. A view of CroSetup: handlers
// forward to it and the controls are redrawn from CroSetup::shown() after each operation.
// Control arrays are single widgets named name + "_" + index (optSnsOnOff_1, cmdPwrDwn_2).
#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace zx {

class CroSetup;
class Prompter;

class FrmCroSetup : public QWidget {
    Q_OBJECT
public:
    FrmCroSetup(CroSetup &setup, Prompter &prompter, QWidget *parent = nullptr);
    ~FrmCroSetup() override;

    // Opening: the controls from the chronograph state, overlay hidden.
    void openPanel();
    // Called once the panel has closed (the desk restores a minimised main window).
    std::function<void()> onClosed;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QWidget *buildSettings();
    QWidget *buildStatus();
    QWidget *buildWait();
    void showWait(bool on);
    void placeWait();
    void render();

    CroSetup &m_setup;
    Prompter &m_prompter;
    QWidget *m_settings = nullptr;
    QFrame *m_wait = nullptr;
    QLabel *m_waitText = nullptr;
    QLabel *m_waitPct = nullptr;
};

} // namespace zx
