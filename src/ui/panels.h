#pragma once

#include <QFrame>
#include <QPushButton>

#include "ui/fonts.h"

// The program's name, as the captions of its questions and errors give it.
inline const QString ApplicationTitle = QStringLiteral("Quorvel");

// A panel of a window, drawn as the theme draws panels ("panel"), or as the
// main window's menu column ("menu"), placed in pixels.
inline QFrame *Panel(QWidget *parent, const QString &name, const QRect &geometry, const char *kind = "panel")
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setProperty(kind, true);
    frame->setGeometry(geometry);
    return frame;
}

// A button of a window or panel in the program's usual face, placed in pixels.
inline QPushButton *PanelButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(menuButtonFont());
    return button;
}
