#pragma once

#include "analysis/subjectrecords.h"

#include <QList>
#include <QString>

// Descriptive statistics, one-way analysis of variance and the reliability of
// the twenty items, over subjects already read. Pure arithmetic; no widgets.
namespace Analysis {

struct Summary
{
    qint64 n = 0;
    double mean = 0;
    double sd = 0;        // n - 1 in the divisor; shown only when n >= 2
    double min = 0;
    double median = 0;
    double max = 0;
    bool hasSd() const { return n >= 2; }
};
Summary summarize(QList<double> values);

struct GroupSummary
{
    QString group;  // "A" ... "G"
    Summary score;
};

// F test of the score across the groups that have at least two scored subjects.
struct Anova
{
    bool shown = false;
    QString whyNot;  // when not shown: what is missing
    int groups = 0;
    double f = 0;
    int dfBetween = 0;
    int dfWithin = 0;
    double p = 0;
    double etaSquared = 0;
};
Anova oneWayAnova(const QList<QList<double>> &groups);

struct ItemStatistics
{
    int number = 0;  // 1 to 20
    double mean = 0;
    double sd = 0;
    bool hasItemTotal = false;  // corrected item-total correlation, when both vary
    double itemTotal = 0;
    bool hasAlphaIfDeleted = false;
    double alphaIfDeleted = 0;
};

struct Reliability
{
    qint64 n = 0;  // complete answer rows used
    bool shown = false;
    QString whyNot;
    double alpha = 0;
    QList<ItemStatistics> items;  // twenty, filled whenever n >= 2
};
Reliability reliability(const QList<std::array<int, kItems>> &rows);

// Everything the results window shows for a choice of subjects.
struct Results
{
    qint64 subjects = 0;          // chosen
    qint64 scored = 0;            // with a score
    Summary all;                  // score over every scored subject chosen
    QList<GroupSummary> groups;   // each group that has a scored subject, A to G
    Anova anova;
    Reliability reliability;
    std::array<qint64, 12> histogram{};  // scores 20-24, 25-29, ..., 75-80
};
Results analyse(const QList<SubjectRecord> &subjects);

// The histogram's bin of a score, 0 to 11; -1 outside 20 to 80.
int histogramBin(double score);

}  // namespace Analysis
