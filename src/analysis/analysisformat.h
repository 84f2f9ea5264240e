#pragma once

#include "analysis/statistics.h"

#include <QString>

// How the analysis window and its report write numbers: Latin digits, a
// dash where a value is not defined, never "nan".
namespace AnalysisFormat {

// The sign for a value that is not defined.
inline const QString Dash = QStringLiteral("—");

// Fixed decimals; the dash when the value is not a finite number.
QString fixed(double value, int decimals);
// A score as it is: whole numbers bare, halves (a median) with their fraction.
QString plain(double value);
// A p value to three decimals, or "< 0.001".
QString pValue(double p);

// The row of the group table for a summary: n, mean, SD, min, median, max.
QStringList summaryCells(const Analysis::Summary &summary);
// "F(dfB, dfW) = …, p = …, η² = …", or why it is not shown.
QString anovaLine(const Analysis::Anova &anova);
// "α = … (of n complete answer sheets)", or why it is not shown.
QString alphaLine(const Analysis::Reliability &reliability);
// The cells of an item's row after its number and text: mean, SD, r, alpha if deleted.
QStringList itemCells(const Analysis::ItemStatistics &item);

// Text that reads left to right wherever it stands in a right-to-left line.
QString leftToRight(const QString &text);

}  // namespace AnalysisFormat
