#include "setup/ui/setup_widgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

namespace zx::setupui {

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &title)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

QToolButton *arrowButton(QWidget *parent, const QString &name, bool up, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    b->setToolTip(tip);
    b->setAutoRaise(false);
    b->setFixedSize(24, 20);
    return b;
}

QLineEdit *valueBox(QWidget *parent, const QString &name, int chars)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::NoFocus);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars + 1, QLatin1Char('0'))) + 12);
    return e;
}

void selectOption(QButtonGroup *group, int index)
{
    if (QAbstractButton *b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);   // an exclusive group cannot show neither
    for (QAbstractButton *b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

} // namespace zx::setupui
