#include "analysis/analysischarts.h"

#include "analysis/frmanalysistext.h"
#include "ui/fonts.h"

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace AnalysisCharts {

namespace {

// Half the width of a whisker's caps, in categories.
constexpr double kCapHalfWidth = 0.12;

QChart *makeChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(nazaninFont(11, true));
    chart->setLocalizeNumbers(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(4);
    chart->setMargins(QMargins(6, 4, 6, 4));
    chart->legend()->setFont(nazaninFont(9));
    return chart;
}

QBarCategoryAxis *categoryAxis(const QStringList &categories, const QString &title)
{
    auto *axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setTitleText(title);
    return axis;
}

// A value axis from 0 with a tick at every step.
QValueAxis *valueAxis(double top, double step, const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, top);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

void attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addSeries(series);
    if (!chart->axes(Qt::Horizontal).contains(x))
        chart->addAxis(x, Qt::AlignBottom);
    if (!chart->axes(Qt::Vertical).contains(y))
        chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

// A round step that divides 0 to highest into four ticks at most: 1, 2, 5, 10, 20, 50, ...
double countStep(double highest)
{
    for (double scale = 1;; scale *= 10)
        for (double step : {1.0, 2.0, 5.0})
            if (highest / (step * scale) <= 4)
                return step * scale;
}

// The top of a count axis: a step above the highest count, on a round step.
double countTop(double highest, double step)
{
    return std::max(step, std::ceil((highest + step / 2) / step) * step);
}

}  // namespace

QStringList histogramBins()
{
    QStringList bins;
    for (int bin = 0; bin < 12; ++bin) {
        const int from = 20 + 5 * bin;
        bins << QStringLiteral("%1–%2").arg(from).arg(bin == 11 ? 80 : from + 4);
    }
    return bins;
}

QChart *scoreHistogram(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::HistogramTitle);
    chart->setObjectName(QStringLiteral("ScoreHistogramChart"));
    auto *counts = new QBarSet(FrmAnalysisText::SubjectsAxis);
    qint64 highest = 0;
    for (qint64 count : results.histogram) {
        *counts << double(count);
        highest = std::max(highest, count);
    }
    auto *series = new QBarSeries;
    series->setBarWidth(0.9);
    series->append(counts);
    const double step = countStep(double(highest));
    QBarCategoryAxis *bins = categoryAxis(histogramBins(), FrmAnalysisText::ScoreAxis);
    attach(chart, series, bins, valueAxis(countTop(double(highest), step), step, FrmAnalysisText::SubjectsAxis));
    chart->legend()->hide();
    applyPalette(chart, palette);
    return chart;
}

QChart *groupMeans(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::GroupMeansTitle);
    chart->setObjectName(QStringLiteral("GroupMeansChart"));
    QStringList groups;
    auto *means = new QBarSet(FrmAnalysisText::MeanSeries);
    double highest = 0;
    for (const Analysis::GroupSummary &group : results.groups) {
        groups << group.group;
        *means << group.score.mean;
        highest = std::max(highest, group.score.mean + (group.score.hasSd() ? group.score.sd : 0));
    }
    auto *bars = new QBarSeries;
    bars->setBarWidth(0.6);
    bars->append(means);
    auto *x = categoryAxis(groups, FrmAnalysisText::GroupAxis);
    auto *y = valueAxis(std::max(80.0, std::ceil(highest / 20) * 20), 20, FrmAnalysisText::MeanScoreAxis);
    attach(chart, bars, x, y);
    // One whisker per group from a standard deviation below the mean to one
    // above, with a cap at each end; categories stand at 0, 1, 2, ...
    for (int index = 0; index < results.groups.size(); ++index) {
        const Analysis::Summary &score = results.groups.at(index).score;
        if (!score.hasSd())
            continue;
        const double low = score.mean - score.sd;
        const double high = score.mean + score.sd;
        auto *whisker = new QLineSeries;
        whisker->setName(FrmAnalysisText::SdSeries);
        whisker->setObjectName(QStringLiteral("Whisker_%1").arg(results.groups.at(index).group));
        *whisker << QPointF(index - kCapHalfWidth, low) << QPointF(index + kCapHalfWidth, low) << QPointF(index, low)
                 << QPointF(index, high) << QPointF(index - kCapHalfWidth, high) << QPointF(index + kCapHalfWidth, high);
        attach(chart, whisker, x, y);
    }
    // The title names the whiskers; the room of a legend goes to the bars.
    chart->legend()->hide();
    applyPalette(chart, palette);
    return chart;
}

QChart *itemMeans(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::ItemMeansTitle);
    chart->setObjectName(QStringLiteral("ItemMeansChart"));
    QStringList numbers;
    auto *means = new QBarSet(FrmAnalysisText::MeanAnswerAxis);
    for (int item = 1; item <= Analysis::kItems; ++item)
        numbers << QString::number(item);
    for (const Analysis::ItemStatistics &item : results.reliability.items)
        *means << item.mean;
    auto *series = new QBarSeries;
    series->setBarWidth(0.7);
    series->append(means);
    attach(chart, series, categoryAxis(numbers, FrmAnalysisText::ItemAxis),
           valueAxis(4, 1, FrmAnalysisText::MeanAnswerAxis));
    applyPalette(chart, palette);
    // Twenty numbers side by side: a size smaller keeps each whole.
    chart->axes(Qt::Horizontal).first()->setLabelsFont(arialFont(7));
    chart->legend()->hide();
    return chart;
}

void applyPalette(QChart *chart, const QPalette &palette)
{
    const QColor back = palette.color(QPalette::Base);
    const QColor ink = palette.color(QPalette::Text);
    const QColor bar = palette.color(QPalette::Highlight);
    QColor grid = palette.color(QPalette::Mid);
    chart->setBackgroundBrush(back);
    chart->setBackgroundPen(QPen(grid, 1));
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleBrush(ink);
    chart->legend()->setLabelColor(ink);
    // The labels are Latin digits and group letters: a narrow face keeps twenty of them whole.
    const QFont axisFont = arialFont(8);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsColor(ink);
        axis->setLabelsFont(axisFont);
        axis->setTitleBrush(ink);
        axis->setTitleFont(nazaninFont(9, true));
        axis->setLinePen(QPen(ink, 1));
        grid.setAlpha(140);
        axis->setGridLinePen(QPen(grid, 1, Qt::DotLine));
        axis->setGridLineVisible(axis->orientation() == Qt::Vertical);
    }
    for (QAbstractSeries *series : chart->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(series)) {
            for (QBarSet *set : bars->barSets()) {
                set->setColor(bar);
                set->setBorderColor(ink);
            }
        } else if (auto *line = qobject_cast<QLineSeries *>(series)) {
            line->setPen(QPen(ink, 2, Qt::SolidLine, Qt::FlatCap));
        }
    }
}

Images printImages(const Analysis::Results &results, const QSize &size)
{
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::Highlight, QColor(0x70, 0x8C, 0xB0));
    paper.setColor(QPalette::Mid, QColor(0x80, 0x80, 0x80));
    const auto draw = [&size](QChart *chart) {
        // Drawn straight from a scene of its own: no window need be on screen.
        QGraphicsScene scene;
        scene.addItem(chart);
        chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
        // The chart lays out its axes and bars in posted events.
        QCoreApplication::sendPostedEvents();
        // Three times the pixels, so the lines and letters stay sharp on paper.
        QImage image(size * 3, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        return image;
    };
    return {draw(scoreHistogram(results, paper)), draw(groupMeans(results, paper)), draw(itemMeans(results, paper))};
}

}  // namespace AnalysisCharts
