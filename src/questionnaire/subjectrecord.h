#pragma once

#include "questionnaire/answerkey.h"

#include <QString>

#include <array>
#include <optional>

// A registered subject with the answers, as the results window and the
// exports read it: one row of "ide" joined with its "Answer" row.
namespace Questionnaire {

constexpr int kItems = AnswerKey::kItems;

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
    std::array<int, kItems> answers{};  // 1 to 4; 0 where the item is not answered

    // The stored text as a number, when it is a whole number and nothing else.
    static std::optional<double> number(const QString &text);
    std::optional<double> scoreValue() const { return number(score); }
    std::optional<double> ageValue() const { return number(age); }
    // All twenty answers are 1 to 4: the rule scoring uses.
    bool hasCompleteAnswers() const;
};

// What is read of each subject: everything, or only what the statistics
// need (group, score and answers), the rest left empty.
enum class ReadDetail { Everything, ForStatistics };

// The select list of "ide" i joined with "Answer" a, in the order
// subjectFromRow reads it: eleven subject columns, then the twenty answers.
QString subjectColumns(ReadDetail detail);

// The subject in a row of those columns; Row gives text(column) and the
// UTF-8 bytes utf8(column).
template <typename Row>
SubjectRecord subjectFromRow(const Row &row)
{
    SubjectRecord subject;
    subject.code = row.text(0);
    subject.firstName = row.text(1);
    subject.lastName = row.text(2);
    subject.age = row.text(3);
    subject.education = row.text(4);
    subject.gender = row.text(5);
    subject.marital = row.text(6);
    subject.group = row.text(7);
    subject.date = row.text(8);
    subject.time = row.text(9);
    subject.score = row.text(10);
    for (int item = 0; item < kItems; ++item)
        subject.answers[item] = AnswerKey::AnswerValue(row.utf8(11 + item));
    return subject;
}

}  // namespace Questionnaire
