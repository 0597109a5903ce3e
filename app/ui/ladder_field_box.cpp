#include "app/ui/ladder_field_box.h"

#include <QComboBox>

namespace zx
{

QComboBox *makeLadderFieldBox(QWidget *parent, const QString &objectName)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setToolTip(QStringLiteral("The load field along the bottom of the ladder"));
    box->addItem(QStringLiteral("Charge weight"), int(LadderField::Charge));
    box->addItem(QStringLiteral("Bullet weight"), int(LadderField::BulletWeight));
    box->addItem(QStringLiteral("COAL / CBTO"), int(LadderField::Length));
    box->addItem(QStringLiteral("Temperature"), int(LadderField::Temperature));
    return box;
}

LadderField ladderFieldOf(const QComboBox &box)
{
    return LadderField(box.currentData().toInt());
}

} // namespace zx
