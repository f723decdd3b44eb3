#include "ui/base/EditColors.h"

#include "ui/base/QtColor.h"

#include <QAbstractScrollArea>
#include <QPalette>
#include <QWidget>

void SetEditColors(QWidget& box, ColorRef crText, ColorRef crBack)
{
    QPalette palette = box.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, ToQColor(crText));
        palette.setColor(group, QPalette::Base, ToQColor(crBack));
    }
    box.setPalette(palette);
    if (auto* pScrollArea = qobject_cast<QAbstractScrollArea*>(&box))
        pScrollArea->viewport()->update();
    else
        box.update();
}
