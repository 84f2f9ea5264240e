#pragma once

#include <QLabel>

// A line of the about window's roll: its text in the label's colour, ringed
// by a thin outline in black or white, whichever stands apart from that
// colour more, so that any colour reads on any background.
class RollLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The outline drawn round text of the colour.
    static QColor outlineFor(const QColor &text);

protected:
    void paintEvent(QPaintEvent *event) override;
};
