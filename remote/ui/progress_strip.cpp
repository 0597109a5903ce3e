#include "remote/ui/progress_strip.h"

#include <QPainter>

namespace zx {

ProgressStrip::ProgressStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picPCycle"));
    setToolTip(QStringLiteral("Moves while the chronograph is busy"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ProgressStrip::sizeHint() const { return {kCells * 9 + 4, 14}; }

void ProgressStrip::setStep(int step)
{
    if (step == m_step)
        return;
    m_step = step;
    update();
}

void ProgressStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int lit = m_step < 0 ? -1 : m_step % kCells;
    const qreal w = (width() - 4) / qreal(kCells);
    for (int i = 0; i < kCells; ++i) {
        // The lit cell and a fading tail behind it.
        const int behind = lit < 0 ? kCells : (lit - i + kCells) % kCells;
        QColor c(70, 70, 70);
        if (behind == 0)
            c = QColor(0, 200, 0);
        else if (behind == 1)
            c = QColor(0, 140, 0);
        else if (behind == 2)
            c = QColor(20, 90, 20);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(2 + i * w + 1, 2, w - 2, height() - 4), 2, 2);
    }
}

} // namespace zx
