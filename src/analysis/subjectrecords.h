#pragma once

#include "questionnaire/subjectrecord.h"
#include "store/storefailure.h"

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
    StoreFailure failure = StoreFailure::None;  // the store's cause when it failed
    QString error;                              // and the store's own words
};

// Everything an export writes is read in the order of the codes; what the
// statistics need comes in the order the database keeps it, which reads faster.

// The subjects of the group as stored ("A" ... "G"), or of every group when
// group is empty, on the program's connection.
ReadResult readSubjects(const QString &group, QList<SubjectRecord> *subjects, const Progress &progress = {},
                        ReadDetail detail = ReadDetail::Everything);

// How many subjects the group (every group when empty) has, without reading
// them; on a failure, the store's words and cause when asked.
std::optional<qint64> countSubjects(const QString &group, QString *error = nullptr, StoreFailure *failure = nullptr);

// The twenty item texts from QU, by number (index 0 is item 1); empty on
// failure, with the store's words and cause when asked.
QStringList readItemTexts(QString *error = nullptr, StoreFailure *failure = nullptr);

// The groups a subject may have, as the registration stores them.
const QStringList &groupNames();

}  // namespace Analysis
