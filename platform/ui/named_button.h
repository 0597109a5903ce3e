#pragma once
// A push button found by its control name (objectName) that never becomes the window's
// default button by taking focus (Return keeps its meaning in the window's edit fields).
#include <QPushButton>

namespace zx {

inline QPushButton *namedButton(QWidget *parent, const QString &name, const QString &text, const QString &tip = {})
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

} // namespace zx
