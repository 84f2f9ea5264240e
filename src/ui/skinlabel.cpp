#include "ui/skinlabel.h"

SkinLabel::SkinLabel(const QString &objectName, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    setProperty("skinned", true);
}

SkinLabel *SkinLabel::fieldCaption(const QString &objectName, const QString &text, QWidget *parent, const QRect &geometry)
{
    auto *label = new SkinLabel(objectName, text, parent);
    label->setLayoutDirection(Qt::LeftToRight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(geometry);
    return label;
}
