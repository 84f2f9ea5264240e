#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Keying the twenty stored answers. An answer is the text of a value 1 to 4,
// blanks around it allowed; any other text leaves its item unanswered.
namespace AnswerKey {

constexpr int kItems = 20;

// The value of a stored answer, or 0 when it is not an answer.
int AnswerValue(const QString &stored);

// Items (1-based) whose stored text is not an answer, in item order.
QList<int> UnansweredItems(const QStringList &answers);

// The items as the completeness message lists them: each number with a
// blank before it and two after it (" 3   12  ").
QString UnansweredList(const QList<int> &items);

// The score text of twenty answers: their plain sum ("57").
QString ScoreText(const QStringList &answers);

}  // namespace AnswerKey
