#pragma once
// The progress window frmFPrgrs: a bar, the "Progress" label, the percentage and
// an Abort button that asks the link to abort the running chronograph operation.
#include "link/progress_sink.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zx {

class FrmFPrgrs : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit FrmFPrgrs(QWidget *parent = nullptr);

    // The Abort button's action (the link's croUserAbort).
    void setAbortHandler(std::function<void()> onAbort) { m_onAbort = std::move(onAbort); }

    void progressOpen(const QString &title, int scale, bool showFrame = true) override;
    void progressClose() override;
    void progressStep() override;
    bool progressIsOpen() const override { return m_open; }

    int steps() const { return m_steps; }
    int scale() const { return m_scale; }
    QString percentText() const;

private:
    void showPercent();

    QProgressBar *m_bar = nullptr;
    QLabel *m_progress = nullptr;
    QLabel *m_percent = nullptr;
    QPushButton *m_abort = nullptr;
    std::function<void()> m_onAbort;
    int m_scale = 12;
    int m_steps = 0;
    bool m_open = false;
};

} // namespace zx
