#include "analysis/statistics.h"

#include "analysis/analysistext.h"

#include <boost/math/distributions/fisher_f.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace Analysis {

namespace {

double mean(const QList<double> &values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.isEmpty() ? 0 : sum / double(values.size());
}

// Sum of squared deviations from the mean.
double squares(const QList<double> &values, double centre)
{
    double sum = 0;
    for (double value : values)
        sum += (value - centre) * (value - centre);
    return sum;
}

double variance(const QList<double> &values)
{
    return values.size() < 2 ? 0 : squares(values, mean(values)) / double(values.size() - 1);
}

// Cronbach's alpha of k items from their variances and the variance of their sum.
bool alphaOf(int k, double itemVariances, double totalVariance, double *alpha)
{
    if (k < 2 || totalVariance <= 0)
        return false;
    *alpha = double(k) / double(k - 1) * (1 - itemVariances / totalVariance);
    return true;
}

}  // namespace

Summary summarize(QList<double> values)
{
    Summary summary;
    summary.n = values.size();
    if (values.isEmpty())
        return summary;
    std::sort(values.begin(), values.end());
    summary.mean = mean(values);
    summary.sd = std::sqrt(variance(values));
    summary.min = values.first();
    summary.max = values.last();
    const qsizetype middle = values.size() / 2;
    summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return summary;
}

Anova oneWayAnova(const QList<QList<double>> &groups)
{
    Anova anova;
    QList<double> all;
    QList<const QList<double> *> used;
    for (const QList<double> &group : groups)
        if (group.size() >= 2) {
            used << &group;
            all << group;
        }
    anova.groups = int(used.size());
    if (used.size() < 2) {
        anova.whyNot = AnalysisText::AnovaNeedsGroups;
        return anova;
    }
    const double grand = mean(all);
    double between = 0;
    double within = 0;
    for (const QList<double> *group : used) {
        const double centre = mean(*group);
        between += double(group->size()) * (centre - grand) * (centre - grand);
        within += squares(*group, centre);
    }
    anova.dfBetween = int(used.size()) - 1;
    anova.dfWithin = int(all.size() - used.size());
    if (within <= 0) {
        anova.whyNot = AnalysisText::AnovaNoVariance;
        return anova;
    }
    anova.f = (between / anova.dfBetween) / (within / anova.dfWithin);
    const boost::math::fisher_f distribution(anova.dfBetween, anova.dfWithin);
    anova.p = boost::math::cdf(boost::math::complement(distribution, anova.f));
    anova.etaSquared = between / (between + within);
    anova.shown = true;
    return anova;
}

Reliability reliability(const QList<std::array<int, kItems>> &rows)
{
    Reliability result;
    result.n = rows.size();
    if (rows.size() < 2) {
        result.whyNot = AnalysisText::AlphaNeedsRows;
        return result;
    }
    // One pass of sums: the answers are small whole numbers, so every sum
    // below is exact in a double and the deviations come out exactly.
    std::array<double, kItems> sum{};
    std::array<double, kItems> squares{};
    std::array<double, kItems> withTotal{};
    double totalSum = 0;
    double totalSquares = 0;
    for (const auto &row : rows) {
        double total = 0;
        for (int answer : row)
            total += answer;
        totalSum += total;
        totalSquares += total * total;
        for (int i = 0; i < kItems; ++i) {
            sum[i] += row[i];
            squares[i] += double(row[i]) * row[i];
            withTotal[i] += row[i] * total;
        }
    }
    const double n = double(rows.size());
    // Sums of squared deviations and of cross products.
    const double totalDeviations = totalSquares - totalSum * totalSum / n;
    std::array<double, kItems> deviations{};
    double itemVariances = 0;
    for (int i = 0; i < kItems; ++i) {
        deviations[i] = squares[i] - sum[i] * sum[i] / n;
        itemVariances += deviations[i] / (n - 1);
    }
    for (int i = 0; i < kItems; ++i) {
        ItemStatistics item;
        item.number = i + 1;
        item.mean = sum[i] / n;
        item.sd = std::sqrt(deviations[i] / (n - 1));
        // The rest is the total without this item.
        const double crossWithTotal = withTotal[i] - sum[i] * totalSum / n;
        const double crossWithRest = crossWithTotal - deviations[i];
        const double restDeviations = totalDeviations + deviations[i] - 2 * crossWithTotal;
        item.hasItemTotal = deviations[i] > 0 && restDeviations > 0;
        if (item.hasItemTotal)
            item.itemTotal = crossWithRest / std::sqrt(deviations[i] * restDeviations);
        item.hasAlphaIfDeleted = alphaOf(kItems - 1, itemVariances - deviations[i] / (n - 1), restDeviations / (n - 1),
                                         &item.alphaIfDeleted);
        result.items << item;
    }
    result.shown = alphaOf(kItems, itemVariances, totalDeviations / (n - 1), &result.alpha);
    if (!result.shown)
        result.whyNot = AnalysisText::AlphaNoVariance;
    return result;
}

int histogramBin(double score)
{
    if (!(score >= 20 && score <= 80))
        return -1;
    return std::min(11, int((score - 20) / 5));
}

Results analyse(const QList<SubjectRecord> &subjects)
{
    Results results;
    results.subjects = subjects.size();
    QList<double> scores;
    scores.reserve(subjects.size());
    std::map<QString, QList<double>> byGroup;
    QList<std::array<int, kItems>> complete;
    complete.reserve(subjects.size());
    for (const SubjectRecord &subject : subjects) {
        if (const std::optional<double> score = subject.scoreValue()) {
            scores << *score;
            byGroup[subject.group] << *score;
            if (const int bin = histogramBin(*score); bin >= 0)
                ++results.histogram[bin];
        }
        if (subject.hasCompleteAnswers())
            complete << subject.answers;
    }
    results.scored = scores.size();
    results.all = summarize(scores);
    QList<QList<double>> groups;
    for (const auto &[group, values] : byGroup) {
        results.groups << GroupSummary{group, summarize(values)};
        groups << values;
    }
    results.anova = oneWayAnova(groups);
    results.reliability = reliability(complete);
    return results;
}

}  // namespace Analysis
