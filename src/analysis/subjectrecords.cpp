#include "analysis/subjectrecords.h"

#include "store/database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <memory>

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

// The program's connection as SQLite's own handle: the subjects are read
// through it directly, because a hundred thousand rows of thirty-one values
// each read several times faster that way than value by value through Qt.
sqlite3 *connectionHandle()
{
    const QVariant handle = Store::database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.data());
}

QString textAt(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

// An answer as scoring reads it: one of 1 to 4 once blanks are trimmed, else 0.
int answerAt(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    if (!text)
        return 0;
    const int length = sqlite3_column_bytes(statement, column);
    int digit = 0;
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        if (digit || c < '1' || c > '4')
            return 0;
        digit = c - '0';
    }
    return digit;
}

// The same from text, for rows read through Qt.
int answerOf(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.size() == 1 && trimmed.at(0) >= u'1' && trimmed.at(0) <= u'4' ? trimmed.at(0).digitValue() : 0;
}

// A server's rows come through Qt's driver: the same query with a placeholder
// of Qt's kind, value by value.
ReadResult readThroughQt(const QString &sql, const QString &group, qint64 total, QList<SubjectRecord> *subjects,
                         const Progress &progress)
{
    ReadResult result;
    QSqlQuery query(Store::database());
    query.setForwardOnly(true);
    if (!query.prepare(QString(sql).replace(QStringLiteral("?1"), QStringLiteral("?")))) {
        result.error = query.lastError().text();
        return result;
    }
    if (!group.isEmpty())
        query.addBindValue(group);
    if (!query.exec()) {
        result.error = query.lastError().text();
        return result;
    }
    subjects->reserve(total);
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
        for (int item = 0; item < kItems; ++item)
            subject.answers[item] = answerOf(query.value(11 + item).toString());
        subjects->append(std::move(subject));
        if (progress && ++done % 2000 == 0 && !progress(done, total)) {
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
        progress(subjects->size(), total);
    result.status = ReadStatus::Read;
    return result;
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
    sqlite3 *connection = connectionHandle();
    if (!connection && !Store::isServerOpen()) {
        result.error = QStringLiteral("no database connection");
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
    const QByteArray sql = (QStringLiteral("SELECT ") + columns + answers
                            + QStringLiteral(" FROM \"ide\" i LEFT JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\"")
                            + (group.isEmpty() ? QString() : QStringLiteral(" WHERE i.\"Group\" = ?1"))
                            + (everything ? QStringLiteral(" ORDER BY i.\"Code\"") : QString()))
                               .toUtf8();
    if (!connection)
        return readThroughQt(QString::fromUtf8(sql), group, *total, subjects, progress);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        result.error = QString::fromUtf8(sqlite3_errmsg(connection));
        return result;
    }
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> finalize(statement, &sqlite3_finalize);
    const QByteArray groupBytes = group.toUtf8();
    if (!group.isEmpty())
        sqlite3_bind_text(statement, 1, groupBytes.constData(), int(groupBytes.size()), SQLITE_STATIC);
    subjects->reserve(*total);
    qint64 done = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        SubjectRecord subject;
        subject.code = textAt(statement, 0);
        subject.firstName = textAt(statement, 1);
        subject.lastName = textAt(statement, 2);
        subject.age = textAt(statement, 3);
        subject.education = textAt(statement, 4);
        subject.gender = textAt(statement, 5);
        subject.marital = textAt(statement, 6);
        subject.group = textAt(statement, 7);
        subject.date = textAt(statement, 8);
        subject.time = textAt(statement, 9);
        subject.score = textAt(statement, 10);
        for (int item = 0; item < kItems; ++item)
            subject.answers[item] = answerAt(statement, 11 + item);
        subjects->append(std::move(subject));
        if (progress && ++done % 2000 == 0 && !progress(done, *total)) {
            subjects->clear();
            result.status = ReadStatus::Cancelled;
            return result;
        }
    }
    if (step != SQLITE_DONE) {
        subjects->clear();
        result.error = QString::fromUtf8(sqlite3_errmsg(connection));
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
