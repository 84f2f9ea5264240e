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

    // Sets the caption one gap to the right of its own box, as wide as its
    // letters and centred on the box's height, and makes the box its buddy.
    void standBeside(QWidget *box);

    // The room between a caption's letters and its own box, in every window.
    static constexpr int kGap = 4;
};
