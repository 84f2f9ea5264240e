#pragma once

#include <QColor>
#include <QtGlobal>

#include <random>

// The changing colours of the about window's first and third roll labels.
// One cycle serves the whole run of the program, so a window opened again
// carries on where the last one stopped.
class AboutColours
{
public:
    struct Step
    {
        QColor first;
        QColor third;
    };

    // The colours of the next tick of the window's colour timer.
    Step next();
    qint16 index() const { return m_index; }

    // The program's one cycle.
    static AboutColours &program();

    // Colour number 0 to 15 of the classic text-mode palette.
    static QColor paletteColour(int number);

private:
    double nextFraction();

    qint16 m_index = 0;
    // Never seeded: the third label runs through the same colours at every run.
    std::minstd_rand m_random;
};
