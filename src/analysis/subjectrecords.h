#pragma once

#include "questionnaire/subjectrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The registered subjects with their answers, read for analysis and export.
// Reads only; no widgets.
namespace Analysis {

using Questionnaire::kItems;
using Questionnaire::ReadDetail;
using Questionnaire::SubjectRecord;

// Called now and then with how many rows are done of how many; returning
// false asks the work to stop.
using Progress = std::function<bool(qint64 done, qint64 total)>;

enum class ReadStatus { Read, Cancelled, Failed };

struct ReadResult
{
    ReadStatus status = ReadStatus::Failed;
    QString error;  // the store's cause when it failed
};

// Everything an export writes is read in the order of the codes; what the
// statistics need comes in the order the database keeps it, which reads faster.

// The subjects of the group as stored ("A" ... "G"), or of every group when
// group is empty, on the program's connection.
ReadResult readSubjects(const QString &group, QList<SubjectRecord> *subjects, const Progress &progress = {},
                        ReadDetail detail = ReadDetail::Everything);

// How many subjects the group (every group when empty) has, without reading them.
std::optional<qint64> countSubjects(const QString &group, QString *error = nullptr);

// The twenty item texts from QU, by number (index 0 is item 1); empty on failure.
QStringList readItemTexts(QString *error = nullptr);

// The groups a subject may have, as the registration stores them.
const QStringList &groupNames();

}  // namespace Analysis
