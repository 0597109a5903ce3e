#pragma once
// The panel's progress animation: a row of cells with one lit cell that moves one place per
// step while the chronograph works on a task; all cells dim while it is idle.
#include <QWidget>

namespace zx {

class ProgressStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 8;
    explicit ProgressStrip(QWidget *parent = nullptr);
    // step: the progress step (its cell is lit), or -1 for idle.
    void setStep(int step);
    int step() const { return m_step; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_step = -1;
};

} // namespace zx
