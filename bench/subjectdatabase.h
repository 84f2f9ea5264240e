#pragma once

// A throw-away program folder whose database holds many registered subjects:
// 100,000 unless QUORVEL_BENCH_SUBJECTS says otherwise. The database is made
// once per size in QUORVEL_BENCH_CACHE (by default /var/tmp/quorvel-bench) and
// copied for every run, so a million subjects cost their making only once.
#include "store/database.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

inline int benchSubjects()
{
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("QUORVEL_BENCH_SUBJECTS", &ok);
    return ok && asked > 0 ? asked : 100000;
}

inline const int kBenchSubjects = benchSubjects();

inline QString benchCode(int i)
{
    return QString::number(1000000 + i);
}

// Names repeat as in a real register: common first and last names.
inline QString benchFirstName(int i)
{
    static const QStringList names = QStringLiteral(
        "علی محمد حسین رضا مهدی امیر حسن مصطفی سعید مجید احمد جواد حمید مسعود محسن ابراهیم "
        "مریم زهرا فاطمه سارا نرگس لیلا مینا الهام سمیرا نازنین شیما مهسا پریسا فرشته زینب "
        "سمانه آزاده نسرین ریحانه هانیه یاسمن بهاره کیمیا رویا").split(u' ');
    return names.at(i % names.size());
}

inline QString benchLastName(int i)
{
    static const QStringList names = QStringLiteral(
        "احمدی محمدی حسینی رضایی کریمی موسوی جعفری صادقی رحیمی کاظمی هاشمی نوری عباسی قاسمی "
        "یوسفی مرادی اکبری حیدری سلیمانی ابراهیمی شریفی نجفی امینی زمانی کرمانی تهرانی "
        "شیرازی اصفهانی طاهری باقری ملکی عسگری جلالی فرهادی نظری خلیلی بهرامی صالحی "
        "منصوری رستمی پورمحمدی فتحی میرزایی قربانی سبحانی اسدی توکلی دهقانی").split(u' ');
    // Spread so that first and last names do not pair the same way each time.
    return names.at((i / 7 + i) % names.size());
}

// The lookup window's groups, A to G, in uneven shares.
inline QString benchGroup(int i)
{
    static const char shares[] = "AAAABBBCCDDDDDEEFGGG";
    return QString(QLatin1Char(shares[(i * 31 / 11) % 20]));
}

// Fills the database at path, which createDatabase has just made.
inline bool fillSubjectDatabase(int subjects)
{
    if (Store::openDatabase().status != Store::OpenStatus::Opened)
        return false;
    QSqlDatabase db = Store::database();
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    db.transaction();
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    ide.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Jens\", "
                               "\"Taahol\", \"Group\", \"Date\", \"Time\", \"Nomre\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QStringList columns;
    for (int item = 1; item <= 20; ++item)
        columns << QStringLiteral("\"%1\"").arg(item);
    answer.prepare(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", %1) VALUES (?%2)")
                       .arg(columns.join(u','), QStringLiteral(", ?").repeated(20)));
    static const QStringList education = QStringLiteral("دیپلم|فوق‌دیپلم|لیسانس|فوق‌لیسانس|دکترا").split(u'|');
    for (int i = 0; i < subjects; ++i) {
        int score = 0;
        answer.addBindValue(benchCode(i));
        for (int item = 1; item <= 20; ++item) {
            const int value = (i * 7 + item * 13 + i / 97) % 4 + 1;
            score += value;
            answer.addBindValue(QString::number(value));
        }
        ide.addBindValue(benchCode(i));
        ide.addBindValue(benchFirstName(i));
        ide.addBindValue(benchLastName(i));
        ide.addBindValue(QString::number(20 + i % 41));
        ide.addBindValue(education.at(i % education.size()));
        ide.addBindValue(i % 2 ? QStringLiteral("مرد") : QStringLiteral("زن"));
        ide.addBindValue(i % 3 ? QStringLiteral("متاهل") : QStringLiteral("مجرد"));
        ide.addBindValue(benchGroup(i));
        ide.addBindValue(QStringLiteral("14%1/%2/%3").arg(i % 5 + 1, 2, 10, QLatin1Char('0')).arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
        ide.addBindValue(QStringLiteral("%1:%2:00").arg(8 + i % 9, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')));
        ide.addBindValue(QString::number(score));
        if (!ide.exec() || !answer.exec())
            return false;
    }
    const bool done = db.commit();
    Store::closeDatabase();
    return done;
}

// Makes folder current and puts the database of kBenchSubjects subjects in
// it, made first in the cache when it is not there yet.
inline bool prepareSubjectDatabase(const QTemporaryDir &folder, QString *error)
{
    const QString cacheFolder = qEnvironmentVariableIsSet("QUORVEL_BENCH_CACHE")
                                    ? qEnvironmentVariable("QUORVEL_BENCH_CACHE")
                                    : QStringLiteral("/var/tmp/quorvel-bench");
    const QString cached = QDir(cacheFolder).filePath(QStringLiteral("subjects-%1.mdb").arg(kBenchSubjects));
    if (!QFile::exists(cached)) {
        fprintf(stderr, "making %d subjects in %s (once)\n", kBenchSubjects, qPrintable(cached));
        QDir().mkpath(cacheFolder);
        QTemporaryDir making(cacheFolder + QStringLiteral("/making-XXXXXX"));
        if (!making.isValid() || !QDir::setCurrent(making.path())
            || !Store::createDatabase(QString::fromLatin1(Store::kDatabasePath), error)
            || !fillSubjectDatabase(kBenchSubjects)
            || !QFile::rename(QDir(making.path()).filePath(QString::fromLatin1(Store::kDatabasePath)), cached)) {
            if (error && error->isEmpty())
                *error = QStringLiteral("cannot make %1").arg(cached);
            return false;
        }
    }
    QDir::setCurrent(folder.path());
    QDir().mkpath(QStringLiteral("DBQORV"));
    if (!QFile::copy(cached, QString::fromLatin1(Store::kDatabasePath))) {
        if (error)
            *error = QStringLiteral("cannot copy %1").arg(cached);
        return false;
    }
    QFile::setPermissions(QString::fromLatin1(Store::kDatabasePath), QFile::ReadOwner | QFile::WriteOwner);
    return Store::openDatabase().status == Store::OpenStatus::Opened;
}

// Runs the registered benchmarks on a fresh copy of the database of
// kBenchSubjects subjects in a throw-away folder; name is the program's, for its error.
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
