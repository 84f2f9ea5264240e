#include "questionnaire/subjectrecord.h"

namespace Questionnaire {

std::optional<double> SubjectRecord::number(const QString &text)
{
    // Up to nine ASCII digits, blanks around them allowed.
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).isSpace())
        ++from;
    while (to > from && text.at(to - 1).isSpace())
        --to;
    if (to == from || to - from > 9)
        return std::nullopt;
    double value = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

bool SubjectRecord::hasCompleteAnswers() const
{
    for (int answer : answers)
        if (answer < 1 || answer > 4)
            return false;
    return true;
}

QString subjectColumns(ReadDetail detail)
{
    // The same eleven columns in both cases, so that they are read by position alike.
    QString columns = detail == ReadDetail::Everything
                          ? QStringLiteral("i.\"Code\", i.\"FName\", i.\"LName\", i.\"Sen\", i.\"Tahsil\", i.\"Jens\", "
                                           "i.\"Taahol\", i.\"Group\", i.\"Date\", i.\"Time\", i.\"Nomre\"")
                          : QStringLiteral("NULL, NULL, NULL, NULL, NULL, NULL, NULL, i.\"Group\", NULL, NULL, i.\"Nomre\"");
    for (int item = 1; item <= kItems; ++item)
        columns += QStringLiteral(", a.\"%1\"").arg(AnswerKey::ItemField(item));
    return columns;
}

}  // namespace Questionnaire
