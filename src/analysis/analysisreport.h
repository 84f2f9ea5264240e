#pragma once

#include "analysis/analysischarts.h"
#include "analysis/statistics.h"
#include "report/reportdesign.h"
#include "report/resultreports.h"

#include <QStringList>

// The printed analysis: the clinic's name, the title, the group chosen and
// the date; the score statistics of each group, the analysis of variance and
// the reliability lines; the item table; then the three charts on a page of
// their own. Every page is numbered. The report has no detail rows: lay it
// out with empty Report::Rows.
Report::Design AnalysisReportDesign(const Analysis::Results &results, const QStringList &itemTexts,
                                    const ResultReports::Clinic &clinic, const QString &groupLabel);

// The same with the chart pictures already drawn (AnalysisCharts::printImages).
Report::Design AnalysisReportDesign(const Analysis::Results &results, const QStringList &itemTexts,
                                    const ResultReports::Clinic &clinic, const QString &groupLabel,
                                    const AnalysisCharts::Images &charts);
