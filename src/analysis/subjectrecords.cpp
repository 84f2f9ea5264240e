#include "analysis/subjectrecords.h"

#include "store/database.h"
#include "store/engine.h"

#include <QSqlError>
#include <QSqlQuery>

namespace Analysis {

namespace {

QString groupFilter(const QString &group)
{
    return group.isEmpty() ? QString() : QStringLiteral(" WHERE i.\"Group\" = :group");
}

}  // namespace

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

const QStringList &groupNames()
{
    static const QStringList names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                                      QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
    return names;
}

std::optional<qint64> countSubjects(const QString &group, QString *error)
{
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM \"ide\" i") + groupFilter(group));
    if (!group.isEmpty())
        query.bindValue(QStringLiteral(":group"), group);
    if (!query.exec() || !query.next()) {
        if (error)
            *error = query.lastError().text();
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

namespace {

// An answer as scoring reads it: one of 1 to 4 once blanks are trimmed, else 0.
int answerOf(QByteArrayView text)
{
    int digit = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        if (digit || c < '1' || c > '4')
            return 0;
        digit = c - '0';
    }
    return digit;
}

}  // namespace

ReadResult readSubjects(const QString &group, QList<SubjectRecord> *subjects, const Progress &progress, ReadDetail detail)
{
    ReadResult result;
    subjects->clear();
    QString error;
    const std::optional<qint64> total = countSubjects(group, &error);
    if (!total) {
        result.error = error;
        return result;
    }
    QString answers;
    for (int item = 1; item <= kItems; ++item)
        answers += QStringLiteral(", a.\"%1\"").arg(item);
    const bool everything = detail == ReadDetail::Everything;
    // The same eleven columns in both cases, so that they are read by position alike.
    const QString columns = everything ? QStringLiteral("i.\"Code\", i.\"FName\", i.\"LName\", i.\"Sen\", i.\"Tahsil\", "
                                                        "i.\"Jens\", i.\"Taahol\", i.\"Group\", i.\"Date\", i.\"Time\", i.\"Nomre\"")
                                       : QStringLiteral("NULL, NULL, NULL, NULL, NULL, NULL, NULL, i.\"Group\", NULL, NULL, i.\"Nomre\"");
    const QString sql = QStringLiteral("SELECT ") + columns + answers
                        + QStringLiteral(" FROM \"ide\" i LEFT JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\"")
                        + (group.isEmpty() ? QString() : QStringLiteral(" WHERE i.\"Group\" = ?1"))
                        + (everything ? QStringLiteral(" ORDER BY i.\"Code\"") : QString());
    subjects->reserve(*total);
    qint64 done = 0;
    const Store::ReadEnd end = Store::engine().readRows(
        sql, group.isEmpty() ? QStringList() : QStringList{group},
        [&](const Store::RowValues &row) {
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
                subject.answers[item] = answerOf(row.utf8(11 + item));
            subjects->append(std::move(subject));
            return !progress || ++done % 2000 != 0 || progress(done, *total);
        },
        &result.error);
    if (end != Store::ReadEnd::Done) {
        subjects->clear();
        if (end == Store::ReadEnd::Stopped)
            result.status = ReadStatus::Cancelled;
        return result;
    }
    if (progress)
        progress(subjects->size(), *total);
    result.status = ReadStatus::Read;
    return result;
}

QStringList readItemTexts(QString *error)
{
    QSqlQuery query(Store::database());
    if (!query.exec(QStringLiteral("SELECT \"code\", \"Q\" FROM \"QU\" ORDER BY \"code\""))) {
        if (error)
            *error = query.lastError().text();
        return {};
    }
    QStringList texts(kItems);
    while (query.next()) {
        const int number = query.value(0).toInt();
        if (number >= 1 && number <= kItems)
            texts[number - 1] = query.value(1).toString();
    }
    return texts;
}

}  // namespace Analysis
