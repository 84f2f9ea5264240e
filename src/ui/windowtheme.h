#pragma once

#include "ui/skin.h"

#include <QRect>
#include <QString>

class QLineEdit;
class QWidget;
class RecordSet;

// How a window takes the program's theme: the stored theme number sits in a
// hidden box bound to the TH field of the window's settings record set, and
// the window is dressed in the skin of that number. Every themed window keeps
// one, so that a change to how themes are taken reaches them all at once.
class WindowTheme
{
public:
    // Makes the hidden theme box named boxName inside boxParent (the window
    // when none is given), with the design text and place given, bound to TH.
    WindowTheme(QWidget *window, RecordSet *settings, const QString &boxName, QWidget *boxParent = nullptr,
                const QString &designText = {}, const QRect &geometry = {});

    QLineEdit *box() const { return m_box; }
    const Skin &skin() const { return m_skin; }

    // Dresses the window in the theme of the number the box holds now.
    void apply();

private:
    QWidget *m_window;
    QLineEdit *m_box;
    Skin m_skin;
};
