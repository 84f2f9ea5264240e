#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QString>

class QWidget;

// Measurements of a rendered window: what the operator sees, taken from the
// pixels, with the widgets telling only where to look.
namespace LookCheck {

// WCAG relative luminance and contrast ratio (1 to 21).
double luminance(const QColor &colour);
double contrast(const QColor &a, const QColor &b);

// The colour that covers most of the area, and the pixel of the area that
// stands out most from it: the background painted behind a text and the
// text's own colour.
struct Ink
{
    QColor background;
    QColor text;
    double ratio = 0;
    bool valid = false;
};
Ink measureInk(const QImage &image, const QRect &area);

// The colour that covers most of the area.
QColor dominantColour(const QImage &image, const QRect &area);

// One fault found in a window, ready to be printed.
struct Finding
{
    QString widget;    // object name, or class and text when it has none
    QString message;   // what is wrong, with the measure
};

// Every widget that shows text in the window (labels, buttons, boxes, check
// boxes, grid cells and headers, list items, group titles, tab texts, tool
// buttons, multi-line boxes) whose text reads under 4.5:1 against the
// background painted behind it, or under 3:1 for large or bold text of 14 pt
// and more, and every check-box or radio square under 3:1 against its strip.
// Disabled controls and text hidden behind other widgets are left out.
QList<Finding> contrastFaults(QWidget *window, const QImage &image);

// Every caption beside a box that stands no nearer its own box (the one it
// points to, left of it in right-to-left reading, or its buddy) than some
// other box of its row, or more than maxGap pixels from its own box.
QList<Finding> captionFaults(QWidget *window, const QImage &image, int maxGap = 12);

// Every box, grid, list or header whose inside is painted in none of the
// theme's box colours (base or alternate base; button for headers).
QList<Finding> boxColourFaults(QWidget *window, const QImage &image, const QPalette &theme);

}  // namespace LookCheck
