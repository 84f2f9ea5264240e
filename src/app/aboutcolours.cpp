#include "app/aboutcolours.h"

#include <array>
#include <cmath>

namespace {

// Nearest integer, a half going to the even neighbour.
int roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(down, 2.0) != 0.0))
        return static_cast<int>(down) + 1;
    return static_cast<int>(down);
}

}  // namespace

AboutColours &AboutColours::program()
{
    static AboutColours cycle;
    return cycle;
}

QColor AboutColours::paletteColour(int number)
{
    static const std::array<QColor, 16> colours{
        QColor(0, 0, 0),       QColor(0, 0, 128),     QColor(0, 128, 0),     QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128),   QColor(128, 128, 0),   QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),     QColor(0, 255, 0),     QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255),   QColor(255, 255, 0),   QColor(255, 255, 255)};
    return colours.at(static_cast<std::size_t>(number) & 15);
}

double AboutColours::nextFraction()
{
    const auto value = m_random() - std::minstd_rand::min();
    return static_cast<double>(value) / (static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min()) + 1.0);
}

AboutColours::Step AboutColours::next()
{
    if (m_index > 15)
        m_index = 0;
    Step step;
    step.first = paletteColour(m_index);
    m_index = static_cast<qint16>(m_index + 2);
    const double red = nextFraction();
    const double green = nextFraction();
    const double blue = nextFraction();
    step.third = QColor(roundHalfEven(red * 255), roundHalfEven(green * 255), roundHalfEven(blue * 255));
    return step;
}
