#pragma once

#include "analysis/statistics.h"
#include "analysis/subjectrecords.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The chosen subjects written for statistics packages and spreadsheets: an
// SPSS system file, an Excel workbook or a CSV file. Each is written to a
// private temporary file beside the target and renamed into place only when
// whole; a failure or a cancel leaves nothing under the chosen name.
namespace Analysis {

enum class ExportFormat { Sav, Xlsx, Csv };

// The format named by the file's extension (.sav, .xlsx, .csv, any case).
std::optional<ExportFormat> formatForPath(const QString &path);

struct ExportResult
{
    bool written = false;
    bool cancelled = false;
    QString error;  // Persian, with the path and the cause, when neither
};

struct ExportInput
{
    QList<SubjectRecord> subjects;
    QStringList itemTexts;  // twenty
    Results results;        // for the workbook's statistics sheet
    QString groupLabel;     // the choice, as the window shows it
};

ExportResult exportSubjects(const QString &path, ExportFormat format, const ExportInput &input,
                            const Progress &progress = {});

// Reads every column of the group's subjects (every group when empty) fresh
// from the program's connection, works out their statistics and exports
// them; the reading and the writing both report to progress. A failed read
// names the store's cause; a stopped one is cancelled.
ExportResult exportGroup(const QString &path, ExportFormat format, const QString &group, const QString &groupLabel,
                         const QStringList &itemTexts, const Progress &progress = {});

// The columns every export has, in order: variable names and their captions.
struct Column
{
    QString name;     // SPSS variable name (Code, FName, ..., Q1 ... Q20)
    QString caption;  // Persian heading for the spreadsheet and CSV files
};
const QList<Column> &exportColumns();

// A text as a spreadsheet cell that is never run as a formula: a leading
// =, +, - or @ gets an apostrophe in front.
QString inertCell(const QString &text);

// The Gregorian date of a stored solar date (1405/09/19), or none.
std::optional<QDate> gregorianOfStored(const QString &storedDate);

}  // namespace Analysis
