#include "scoring/answerkey.h"

namespace AnswerKey {

int AnswerValue(const QString &stored)
{
    const QString text = stored.trimmed();
    if (text.size() != 1)
        return 0;
    const char16_t digit = text.at(0).unicode();
    return digit >= u'1' && digit <= u'4' ? digit - u'0' : 0;
}

QList<int> UnansweredItems(const QStringList &answers)
{
    QList<int> items;
    for (int item = 1; item <= kItems; ++item)
        if (AnswerValue(answers.value(item - 1)) == 0)
            items << item;
    return items;
}

QString UnansweredList(const QList<int> &items)
{
    QString list;
    for (int item : items)
        list += QLatin1Char(' ') + QString::number(item) + QStringLiteral("  ");
    return list;
}

QString ScoreText(const QStringList &answers)
{
    int sum = 0;
    for (int item = 1; item <= kItems; ++item)
        sum += AnswerValue(answers.value(item - 1));
    return QString::number(sum);
}

}  // namespace AnswerKey
