#include "questionnaire/answerkey.h"

namespace AnswerKey {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

char16_t codeOf(QChar c)
{
    return c.unicode();
}

char16_t codeOf(char c)
{
    return char16_t(static_cast<unsigned char>(c));
}

// Reads the number at the start of characters, blanks ignored, and stops at
// anything else; 0 when it is not 1 to 4.
template <typename Characters>
int valueOf(const Characters &text)
{
    int value = 0;
    bool digits = false;
    for (const auto character : text) {
        const char16_t c = codeOf(character);
        if (isBlank(c))
            continue;
        if (c < u'0' || c > u'9')
            break;
        digits = true;
        value = value * 10 + (c - u'0');
        if (value > 4)
            return 0;
    }
    return digits && value >= 1 ? value : 0;
}

}  // namespace

int AnswerValue(QStringView stored)
{
    return valueOf(stored);
}

int AnswerValue(QByteArrayView stored)
{
    // Only ASCII digits and blanks count, so the bytes of other letters stop the read as they should.
    return valueOf(stored);
}

QString ItemField(int item)
{
    return QString::number(item);
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
