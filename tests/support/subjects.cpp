#include "support/subjects.h"

#include "store/database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr int kItems = 20;

QVariant stored(const QString &text)
{
    return text.isNull() ? QVariant() : QVariant(text);
}

const QStringList &ideColumns()
{
    static const QStringList columns{QStringLiteral("Code"), QStringLiteral("FName"), QStringLiteral("LName"),
                                     QStringLiteral("Sen"), QStringLiteral("Tahsil"), QStringLiteral("Jens"),
                                     QStringLiteral("Taahol"), QStringLiteral("Group"), QStringLiteral("Date"),
                                     QStringLiteral("Time"), QStringLiteral("Nomre")};
    return columns;
}

// Writes subjects a batch at a time, one statement of many rows for each
// table, so that thousands go in quickly on the server as on a file.
class Writer
{
public:
    static constexpr int kBatch = 100;

    explicit Writer(QSqlDatabase db) : m_db(db) {}

    bool add(const StoredSubject &subject)
    {
        if (subject.answers && subject.answers->size() > kItems) {
            m_error = QStringLiteral("subject %1 has %2 answers").arg(subject.code).arg(subject.answers->size());
            return false;
        }
        if (subject.registered) {
            m_ide << QList<QVariant>{stored(subject.code), stored(subject.firstName), stored(subject.lastName),
                                     stored(subject.age), stored(subject.education), stored(subject.sex),
                                     stored(subject.marital), stored(subject.group), stored(subject.date),
                                     stored(subject.time), stored(subject.score)};
        }
        if (subject.answers) {
            QList<QVariant> row{stored(subject.code)};
            for (int item = 0; item < kItems; ++item)
                row << stored(subject.answers->value(item));
            m_answer << row;
        }
        return (m_ide.size() < kBatch && m_answer.size() < kBatch) || flush();
    }

    // Writes what is waiting; false with the store's words in error().
    bool flush()
    {
        QStringList items{QStringLiteral("Code")};
        for (int item = 1; item <= kItems; ++item)
            items << QString::number(item);
        const bool written = insert(QStringLiteral("ide"), ideColumns(), &m_ide)
                             && insert(QStringLiteral("Answer"), items, &m_answer);
        m_ide.clear();
        m_answer.clear();
        return written;
    }

    QString error() const { return m_error; }

private:
    bool insert(const QString &table, const QStringList &columns, QList<QList<QVariant>> *rows)
    {
        if (rows->isEmpty())
            return true;
        QStringList quoted;
        for (const QString &column : columns)
            quoted << QLatin1Char('"') + column + QLatin1Char('"');
        const QString oneRow = QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(','))
                               + QLatin1Char(')');
        QSqlQuery query(m_db);
        if (!query.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES %3")
                               .arg(table, quoted.join(QLatin1Char(',')),
                                    QStringList(rows->size(), oneRow).join(QLatin1Char(','))))) {
            m_error = query.lastError().text();
            return false;
        }
        for (const QList<QVariant> &row : std::as_const(*rows))
            for (const QVariant &value : row)
                query.addBindValue(value);
        if (!query.exec()) {
            m_error = QStringLiteral("%1 rows from subject %2 on: %3")
                          .arg(table, rows->first().first().toString(), query.lastError().text());
            return false;
        }
        return true;
    }

    QSqlDatabase m_db;
    QList<QList<QVariant>> m_ide;
    QList<QList<QVariant>> m_answer;
    QString m_error;
};

bool inOneTransaction(int count, const std::function<StoredSubject(int)> &make, QString *error)
{
    QSqlDatabase db = Store::database();
    QString why;
    bool ok = db.transaction();
    if (!ok)
        why = db.lastError().text();
    if (ok) {
        Writer writer(db);
        for (int i = 0; ok && i < count; ++i)
            ok = writer.add(make(i));
        ok = ok && writer.flush();
        if (!ok)
            why = writer.error();
    }
    if (ok && !db.commit()) {
        ok = false;
        why = db.lastError().text();
    }
    if (!ok) {
        db.rollback();
        if (error)
            *error = why;
        qWarning("the subjects could not be stored: %s", qPrintable(why));
    }
    return ok;
}

}  // namespace

QStringList answerTexts(const QList<int> &answers)
{
    QStringList texts;
    for (int answer : answers)
        texts << (answer == 0 ? QString() : QString::number(answer));
    return texts;
}

QStringList answerTexts(std::initializer_list<int> answers)
{
    return answerTexts(QList<int>(answers));
}

bool addSubjects(const QList<StoredSubject> &subjects, QString *error)
{
    return inOneTransaction(int(subjects.size()), [&subjects](int i) { return subjects.at(i); }, error);
}

bool addSubjects(int count, const std::function<StoredSubject(int)> &make, QString *error)
{
    return inOneTransaction(count, make, error);
}

bool addBulkySubjects(int first, int count, QString *error)
{
    return inOneTransaction(count, [first](int i) {
        StoredSubject subject;
        subject.code = QString::number(first + i);
        subject.firstName = QStringLiteral("آزمودنی شماره %1 با نامی بلند برای پر کردن صفحه‌ها").arg(first + i);
        return subject;
    }, error);
}
