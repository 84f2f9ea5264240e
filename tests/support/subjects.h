#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Subjects put straight into the open store (a ProgramFolder's database, on a
// file or on the test server), as registration and the test window leave them.
//
// Every text left null is stored as NULL; an empty text is stored empty.
struct StoredSubject {
    QString code{};
    QString firstName{};   // FName
    QString lastName{};    // LName
    QString age{};         // Sen
    QString education{};   // Tahsil
    QString sex{};         // Jens
    QString marital{};     // Taahol
    QString group{};
    QString date{};
    QString time{};
    QString score{};       // Nomre
    // The row of "Answer": one text per item from the first, the items after
    // them NULL (an empty list stores the code alone). No row when not given.
    std::optional<QStringList> answers{};
    // False for an answer sheet whose subject was never registered: no row of "ide".
    bool registered = true;
};

// The answers 1 to 4 as stored, item by item; 0 stores NULL.
QStringList answerTexts(std::initializer_list<int> answers);
QStringList answerTexts(const QList<int> &answers);

// Stores the subjects in one transaction: all of them, or none and false with the store's words in *error.
bool addSubjects(const QList<StoredSubject> &subjects, QString *error = nullptr);

// Stores count subjects made by make(0) to make(count - 1), in one transaction.
bool addSubjects(int count, const std::function<StoredSubject(int)> &make, QString *error = nullptr);

// Subjects coded first to first + count - 1, each with a long Persian first
// name and no answers: some hundred bytes a subject, so that a database of
// tens of thousands of them takes its copies some time.
bool addBulkySubjects(int first, int count, QString *error = nullptr);
