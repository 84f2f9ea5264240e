#include "app/rolllabel.h"

#include <QPainter>

#include <cmath>

namespace {

double luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

}  // namespace

QColor RollLabel::outlineFor(const QColor &text)
{
    const QColor dark(10, 16, 30);
    const QColor light(255, 255, 255);
    const double own = luminance(text) + 0.05;
    const double againstDark = own / (luminance(dark) + 0.05);
    const double againstLight = (luminance(light) + 0.05) / own;
    return againstDark >= againstLight ? dark : light;
}

void RollLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QColor fill = palette().color(foregroundRole());
    // The outline is the text drawn once in each direction around its place.
    painter.setPen(outlineFor(fill));
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx != 0 || dy != 0)
                painter.drawText(area.translated(dx, dy), int(alignment()), text());
    painter.setPen(fill);
    painter.drawText(area, int(alignment()), text());
}
