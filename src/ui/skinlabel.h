#pragma once

#include <QLabel>

// A label drawn in the colours of the window's theme, with no background of its own.
class SkinLabel : public QLabel
{
    Q_OBJECT

public:
    SkinLabel(const QString &objectName, const QString &text, QWidget *parent);
};
