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

void SkinLabel::standBeside(QWidget *box)
{
    // Blanks that lead the stored caption would stand between it and the box.
    const QString shown = text();
    qsizetype blanks = 0;
    while (blanks < shown.size() && shown.at(blanks) == QLatin1Char(' '))
        ++blanks;
    const QFontMetrics metrics(font());
    const int lead = metrics.horizontalAdvance(shown.left(blanks));
    const int width = metrics.horizontalAdvance(shown) + 2;
    const int height = qMax(metrics.height(), box->height());
    setGeometry(box->geometry().right() + 1 + kGap - lead, box->geometry().center().y() - height / 2 + 1, width, height);
    setBuddy(box);
}
