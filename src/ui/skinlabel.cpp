#include "skinlabel.h"

SkinLabel::SkinLabel(const QString &objectName, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    setProperty("skinned", true);
}
