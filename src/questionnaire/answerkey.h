#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// What an answer is, for every part of the program that reads one: the test
// stores the chosen value (1 to 4) as text in the item's field "1" … "20";
// keying, the results window and the exports read it back by this one rule.
namespace AnswerKey {

constexpr int kItems = 20;

// The value of a stored answer: the number read from the start of the text,
// blanks ignored, when it is 1 to 4; 0 (not an answer) otherwise, as for an
// empty field.
int AnswerValue(QStringView stored);
// The same from the UTF-8 bytes of the text, as a bulk read gives them.
int AnswerValue(QByteArrayView stored);

// The field of item (1 to 20) in the answer row: "1" … "20".
QString ItemField(int item);

// Items (1-based) whose stored text is not an answer, in item order.
QList<int> UnansweredItems(const QStringList &answers);

// The items as the completeness message lists them: each number with a
// blank before it and two after it (" 3   12  ").
QString UnansweredList(const QList<int> &items);

// The score text of twenty answers: their plain sum ("57").
QString ScoreText(const QStringList &answers);

}  // namespace AnswerKey
