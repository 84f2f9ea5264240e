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

double correlation(const QList<double> &a, const QList<double> &b, bool *defined)
{
    const double ma = mean(a);
    const double mb = mean(b);
    double sab = 0;
    double saa = 0;
    double sbb = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    *defined = saa > 0 && sbb > 0;
    return *defined ? sab / std::sqrt(saa * sbb) : 0;
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
    std::array<QList<double>, kItems> items;
    QList<double> totals;
    for (const auto &row : rows) {
        double total = 0;
        for (int i = 0; i < kItems; ++i) {
            items[i] << row[i];
            total += row[i];
        }
        totals << total;
    }
    double itemVariances = 0;
    std::array<double, kItems> variances{};
    for (int i = 0; i < kItems; ++i) {
        variances[i] = variance(items[i]);
        itemVariances += variances[i];
    }
    for (int i = 0; i < kItems; ++i) {
        ItemStatistics item;
        item.number = i + 1;
        item.mean = mean(items[i]);
        item.sd = std::sqrt(variances[i]);
        QList<double> rest;
        for (qsizetype r = 0; r < totals.size(); ++r)
            rest << totals[r] - items[i][r];
        item.itemTotal = correlation(items[i], rest, &item.hasItemTotal);
        item.hasAlphaIfDeleted =
            alphaOf(kItems - 1, itemVariances - variances[i], variance(rest), &item.alphaIfDeleted);
        result.items << item;
    }
    result.shown = alphaOf(kItems, itemVariances, variance(totals), &result.alpha);
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
    std::map<QString, QList<double>> byGroup;
    QList<std::array<int, kItems>> complete;
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
