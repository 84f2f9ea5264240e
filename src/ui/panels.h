#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

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
// The font is the menu buttons' unless another is given.
inline QPushButton *PanelButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                                const QFont &font = menuButtonFont())
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    return button;
}

// A box the operator never sees, holding a value a window works with (a
// bound field, a stored number), with the design text and place given.
inline QLineEdit *HiddenBox(QWidget *parent, const QString &name, const QString &text = {}, const QRect &geometry = {})
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    if (geometry.isValid())
        box->setGeometry(geometry);
    box->hide();
    return box;
}

// A stopped timer with a name, so that tests can find it and step it.
inline QTimer *NamedTimer(QObject *parent, const QString &name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}
