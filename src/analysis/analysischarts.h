#pragma once

#include "analysis/statistics.h"

#include <QImage>
#include <QPalette>
#include <QSize>

class QChart;

// The three charts of the analysis: the histogram of the scores, the mean
// score of each group with one standard deviation either side, and the mean
// answer of each item. The same charts are shown in the window and printed.
namespace AnalysisCharts {

// The histogram's bins as the axis names them: 20–24, 25–29, ..., 75–80.
QStringList histogramBins();

// Charts filled from the results and coloured from the palette: the base
// colour behind them, the text colour for their words and axes, the
// highlight for the bars. Their owner takes them.
QChart *scoreHistogram(const Analysis::Results &results, const QPalette &palette);
QChart *groupMeans(const Analysis::Results &results, const QPalette &palette);
QChart *itemMeans(const Analysis::Results &results, const QPalette &palette);

// Recolours a chart made here in another palette, as when the theme changes.
void applyPalette(QChart *chart, const QPalette &palette);

// The three charts drawn on white paper for a printed report, each of the
// size given in pixels at three times that resolution.
struct Images
{
    QImage histogram;
    QImage groupMeans;
    QImage itemMeans;
};
Images printImages(const Analysis::Results &results, const QSize &size = QSize(900, 400));

}  // namespace AnalysisCharts
