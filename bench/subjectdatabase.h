#pragma once

// A throw-away program folder whose database holds many registered subjects.
#include "store/database.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

constexpr int kBenchSubjects = 100000;

inline QString benchCode(int i)
{
    return QString::number(1000000 + i);
}

// Makes folder current and fills a fresh database there with kBenchSubjects
// subjects, each with a details row and an answer row holding three answers.
// Names repeat as in a real register: 40 first names, 400 last names, groups A to G.
inline bool prepareSubjectDatabase(const QTemporaryDir &folder, QString *error)
{
    QDir::setCurrent(folder.path());
    if (!Store::createDatabase(QString::fromLatin1(Store::kDatabasePath), error))
        return false;
    if (Store::openDatabase().status != Store::OpenStatus::Opened)
        return false;
    QSqlDatabase db = Store::database();
    db.transaction();
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    ide.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Jens\", "
                               "\"Taahol\", \"Group\", \"Date\", \"Time\") VALUES (?, ?, ?, '30', 'B', 'M', 'S', ?, "
                               "'1403/01/01', '10:00:00')"));
    answer.prepare(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"1\", \"2\", \"3\") VALUES (?, '4', '3', '2')"));
    for (int i = 0; i < kBenchSubjects; ++i) {
        ide.addBindValue(benchCode(i));
        ide.addBindValue(QStringLiteral("نام%1").arg(i % 40));
        ide.addBindValue(QStringLiteral("خانواده%1").arg(i % 400));
        ide.addBindValue(QString(QChar(u'A' + i % 7)));
        answer.addBindValue(benchCode(i));
        if (!ide.exec() || !answer.exec())
            return false;
    }
    return db.commit();
}

// Runs the registered benchmarks on a fresh database of kBenchSubjects
// subjects in a throw-away folder; name is the program's, for its error.
inline int runOnSubjectDatabase(int argc, char **argv, const char *name)
{
    QTemporaryDir dir;
    QString error;
    if (!prepareSubjectDatabase(dir, &error)) {
        fprintf(stderr, "%s: cannot prepare the database: %s\n", name, qPrintable(error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Store::closeDatabase();
    return 0;
}
