// Several desks on one PostgreSQL server on this machine (started by the
// benchmark in a folder of its own, as the tests start theirs): 2,000
// subjects registered and answered item by item, shared by 1 to 16 desk
// processes. Reports subjects per second and the p50 and p99 of one answer's
// save, then checks every row (none lost, none doubled). The same single
// desk on the database file is the floor for one answer's save.
#include "store/database.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr int kSubjects = 2000;
QString serverFolder;
QString serverUrl;
QString fileFolder;

bool maintenance(const QString &sql)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-maintenance"));
        db.setHostName(serverFolder);
        db.setUserName(QStringLiteral("quorvel"));
        db.setDatabaseName(QStringLiteral("postgres"));
        ok = db.open() && QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-maintenance"));
    return ok;
}

// Runs the desks on where, sharing the subjects; the answer times of all.
bool runDesks(const QString &where, int desks, QList<qint64> *times, QString *error)
{
    QList<QProcess *> running;
    const int share = kSubjects / desks;
    for (int desk = 0; desk < desks; ++desk) {
        auto *process = new QProcess;
        process->start(QStringLiteral(QUORVEL_BENCH_DESK),
                       {where, QString::number(desk), QString::number(desk * share), QString::number(share)});
        running << process;
    }
    bool ok = true;
    for (QProcess *process : running) {
        process->waitForFinished(-1);
        const QString output = QString::fromUtf8(process->readAllStandardOutput());
        for (const QString &line : output.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String("FAILED"))) {
                ok = false;
                *error = line;
            } else {
                times->append(line.toLongLong());
            }
        }
        ok = ok && process->exitCode() == 0;
        delete process;
    }
    return ok;
}

// Every subject once, with both rows and twenty answers.
bool everyRowThere(QSqlDatabase db, QString *error)
{
    QSqlQuery query(db);
    QStringList answered;
    for (int item = 1; item <= 20; ++item)
        answered << QStringLiteral("\"%1\" IS NOT NULL").arg(item);
    if (!query.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM \"ide\"), (SELECT COUNT(DISTINCT \"Code\") FROM \"ide\"), "
                                   "(SELECT COUNT(*) FROM \"Answer\" WHERE %1)").arg(answered.join(QStringLiteral(" AND "))))
        || !query.next()) {
        *error = QStringLiteral("cannot count");
        return false;
    }
    const int expected = kSubjects;
    if (query.value(0).toInt() != expected || query.value(0).toInt() != query.value(1).toInt()
        || query.value(2).toInt() != query.value(0).toInt()) {
        *error = QStringLiteral("rows: %1 subjects, %2 codes, %3 full answer rows")
                     .arg(query.value(0).toInt()).arg(query.value(1).toInt()).arg(query.value(2).toInt());
        return false;
    }
    return true;
}

void report(benchmark::State &state, QList<qint64> times, double seconds, int subjects)
{
    std::sort(times.begin(), times.end());
    if (times.isEmpty())
        return;
    state.counters["subjects_per_s"] = subjects / seconds;
    state.counters["answer_p50_ms"] = times.at(times.size() / 2) / 1000.0;
    state.counters["answer_p99_ms"] = times.at(times.size() * 99 / 100) / 1000.0;
}

void BM_DesksOnServer(benchmark::State &state)
{
    const int desks = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        maintenance(QStringLiteral("DROP DATABASE IF EXISTS bench_desks WITH (FORCE)"));
        if (!maintenance(QStringLiteral("CREATE DATABASE bench_desks"))) {
            state.SkipWithError("cannot make the database");
            break;
        }
        // The program's tables, made by its own first open.
        Store::ServerAddress address;
        QString error;
        Store::parseServerUrl(serverUrl, &address, &error);
        if (Store::openServerDatabase(address).status != Store::OpenStatus::Opened) {
            state.SkipWithError("cannot open the database");
            break;
        }
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        QList<qint64> times;
        if (!runDesks(serverUrl, desks, &times, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.PauseTiming();
        if (!everyRowThere(Store::database(), &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        Store::closeDatabase();
        report(state, times, seconds, kSubjects / desks * desks);
        state.ResumeTiming();
    }
}

void BM_OneDeskOnTheFile(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = QDir(fileFolder).filePath(QStringLiteral("bench.mdb"));
        QFile::remove(path);
        if (!Store::createDatabase(path)) {
            state.SkipWithError("cannot make the file");
            break;
        }
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        QList<qint64> times;
        QString error;
        if (!runDesks(path, 1, &times, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.PauseTiming();
        report(state, times, seconds, kSubjects);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_OneDeskOnTheFile)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_DesksOnServer)->ArgName("desks")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir server(QStringLiteral("/tmp/quorvel-pgbench-XXXXXX"));
    QTemporaryDir files;
    QFile::setPermissions(server.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    serverFolder = server.path() + QStringLiteral("/s");
    fileFolder = files.path();
    const QString script = QStringLiteral(QUORVEL_SERVER_SCRIPT);
    if (QProcess::execute(QStringLiteral("sh"), {script, QStringLiteral("start"), serverFolder}) != 0) {
        fprintf(stderr, "bench_desks: the server did not start\n");
        return 1;
    }
    serverUrl = QStringLiteral("postgresql://quorvel@localhost/bench_desks?host=") + serverFolder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Store::closeDatabase();
    QProcess::execute(QStringLiteral("sh"), {script, QStringLiteral("stop"), serverFolder});
    return 0;
}
