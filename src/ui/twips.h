#pragma once

#include <QRect>
#include <QtMath>

// Window geometry is kept in twips, 15 to the pixel at 96 dots per inch.
constexpr int twips(int value)
{
    return (value >= 0 ? value + 7 : value - 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

constexpr QPoint twipsPoint(int left, int top)
{
    return QPoint(twips(left), twips(top));
}
