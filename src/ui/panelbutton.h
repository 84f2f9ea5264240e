#pragma once

#include <QPushButton>

#include "ui/fonts.h"

// A button of a window or panel in the program's usual face, placed in pixels.
inline QPushButton *PanelButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(menuButtonFont());
    return button;
}
