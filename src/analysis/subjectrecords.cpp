#include "analysis/subjectrecords.h"

#include "causes/causes.h"
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

const QStringList &groupNames()
{
    static const QStringList names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                                      QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
    return names;
}

namespace {

// A connection the server ended since the last read is opened afresh first.
bool connected(QString *error, StoreFailure *failure)
{
    if (Store::ensureConnected())
        return true;
    if (error)
        *error = Store::database().lastError().text();
    if (failure)
        *failure = StoreFailure::Unreachable;
    return false;
}

}  // namespace

std::optional<qint64> countSubjects(const QString &group, QString *error, StoreFailure *failure)
{
    if (!connected(error, failure))
        return std::nullopt;
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM \"ide\" i") + groupFilter(group));
    if (!group.isEmpty())
        query.bindValue(QStringLiteral(":group"), group);
    if (!query.exec() || !query.next()) {
        if (error)
            *error = query.lastError().text();
        if (failure)
            *failure = classifyFailure(query.lastError(), Store::database());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

ReadResult readSubjects(const QString &group, QList<SubjectRecord> *subjects, const Progress &progress, ReadDetail detail)
{
    ReadResult result;
    subjects->clear();
    QString error;
    const std::optional<qint64> total = countSubjects(group, &error, &result.failure);
    if (!total) {
        result.error = error;
        return result;
    }
    const bool everything = detail == ReadDetail::Everything;
    const QString sql = QStringLiteral("SELECT ") + Questionnaire::subjectColumns(detail)
                        + QStringLiteral(" FROM \"ide\" i LEFT JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\"")
                        + (group.isEmpty() ? QString() : QStringLiteral(" WHERE i.\"Group\" = ?1"))
                        + (everything ? QStringLiteral(" ORDER BY i.\"Code\"") : QString());
    subjects->reserve(*total);
    qint64 done = 0;
    const Store::ReadEnd end = Store::engine().readRows(
        sql, group.isEmpty() ? QStringList() : QStringList{group},
        [&](const Store::RowValues &row) {
            subjects->append(Questionnaire::subjectFromRow(row));
            return !progress || ++done % 2000 != 0 || progress(done, *total);
        },
        &result.error);
    if (end != Store::ReadEnd::Done) {
        subjects->clear();
        // The bulk read gives the engine's words only, no code.
        if (end == Store::ReadEnd::Stopped)
            result.status = ReadStatus::Cancelled;
        else
            result.failure = Causes::failureOfText(result.error);
        return result;
    }
    if (progress)
        progress(subjects->size(), *total);
    result.status = ReadStatus::Read;
    return result;
}

QStringList readItemTexts(QString *error, StoreFailure *failure)
{
    if (!connected(error, failure))
        return {};
    QSqlQuery query(Store::database());
    if (!query.exec(QStringLiteral("SELECT \"code\", \"Q\" FROM \"QU\" ORDER BY \"code\""))) {
        if (error)
            *error = query.lastError().text();
        if (failure)
            *failure = classifyFailure(query.lastError(), Store::database());
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
