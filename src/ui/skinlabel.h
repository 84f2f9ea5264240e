#pragma once

#include <QLabel>

// A label drawn in the colours of the window's theme, with no background of its own.
class SkinLabel : public QLabel
{
    Q_OBJECT

public:
    SkinLabel(const QString &objectName, const QString &text, QWidget *parent);

    // A field's caption, stored with its colon first (" :نام"): laid out left to
    // right so the colon stands beside the field on its left and the caption
    // reads as Persian "name:".
    static SkinLabel *fieldCaption(const QString &objectName, const QString &text, QWidget *parent, const QRect &geometry);
};
