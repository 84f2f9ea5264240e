#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// The registered subjects with their answers, read for analysis and export.
// Reads only; no widgets.
namespace Analysis {

constexpr int kItems = 20;

struct SubjectRecord
{
    QString code;
    QString firstName;
    QString lastName;
    QString age;        // as stored
    QString education;
    QString gender;
    QString marital;
    QString group;
    QString date;       // solar date as stored (1405/09/19)
    QString time;
    QString score;      // Nomre as stored
    std::array<int, kItems> answers{};  // 1 to 4; 0 for an empty answer or anything else

    // The stored text as a number, when it is a whole number and nothing else.
    static std::optional<double> number(const QString &text);
    std::optional<double> scoreValue() const { return number(score); }
    std::optional<double> ageValue() const { return number(age); }
    // All twenty answers are 1 to 4: the rule scoring uses.
    bool hasCompleteAnswers() const;
};

// Called now and then with how many rows are done of how many; returning
// false asks the work to stop.
using Progress = std::function<bool(qint64 done, qint64 total)>;

enum class ReadStatus { Read, Cancelled, Failed };

struct ReadResult
{
    ReadStatus status = ReadStatus::Failed;
    QString error;  // the store's cause when it failed
};

// What is read of each subject: everything an export writes, in the order
// of the codes, or only what the statistics need (group, score and answers),
// in the order the database keeps them, which reads faster.
enum class ReadDetail { Everything, ForStatistics };

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
