#include "analysis/subjectrecords.h"

#include "store/database.h"

#include <QRegularExpression>
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
    static const QRegularExpression whole(QStringLiteral("^[0-9]{1,9}$"));
    const QString trimmed = text.trimmed();
    if (!whole.match(trimmed).hasMatch())
        return std::nullopt;
    return trimmed.toDouble();
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

ReadResult readSubjects(const QString &group, QList<SubjectRecord> *subjects, const Progress &progress)
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
    QSqlQuery query(Store::database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT i.\"Code\", i.\"FName\", i.\"LName\", i.\"Sen\", i.\"Tahsil\", i.\"Jens\", "
                                 "i.\"Taahol\", i.\"Group\", i.\"Date\", i.\"Time\", i.\"Nomre\"")
                  + answers + QStringLiteral(" FROM \"ide\" i LEFT JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\"")
                  + groupFilter(group) + QStringLiteral(" ORDER BY i.\"Code\""));
    if (!group.isEmpty())
        query.bindValue(QStringLiteral(":group"), group);
    if (!query.exec()) {
        result.error = query.lastError().text();
        return result;
    }
    subjects->reserve(*total);
    qint64 done = 0;
    while (query.next()) {
        SubjectRecord subject;
        subject.code = query.value(0).toString();
        subject.firstName = query.value(1).toString();
        subject.lastName = query.value(2).toString();
        subject.age = query.value(3).toString();
        subject.education = query.value(4).toString();
        subject.gender = query.value(5).toString();
        subject.marital = query.value(6).toString();
        subject.group = query.value(7).toString();
        subject.date = query.value(8).toString();
        subject.time = query.value(9).toString();
        subject.score = query.value(10).toString();
        for (int item = 0; item < kItems; ++item) {
            const QString answer = query.value(11 + item).toString().trimmed();
            subject.answers[item] = answer.size() == 1 && answer.at(0) >= QLatin1Char('1') && answer.at(0) <= QLatin1Char('4')
                                        ? answer.at(0).unicode() - '0'
                                        : 0;
        }
        subjects->append(std::move(subject));
        if (progress && ++done % 2000 == 0 && !progress(done, *total)) {
            subjects->clear();
            result.status = ReadStatus::Cancelled;
            return result;
        }
    }
    if (query.lastError().isValid()) {
        subjects->clear();
        result.error = query.lastError().text();
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
