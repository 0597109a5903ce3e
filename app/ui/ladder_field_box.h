#pragma once
// The chooser of the load field along the bottom of a ladder chart, shared by the stats
// desk's live ladder and the String Library's.
#include "library/ladder.h"

class QComboBox;
class QWidget;

namespace zx
{

QComboBox *makeLadderFieldBox(QWidget *parent, const QString &objectName);
LadderField ladderFieldOf(const QComboBox &box);

} // namespace zx
