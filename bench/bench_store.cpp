// Store timings on a database of 100,000 registered subjects, fsync included.
#include "database.h"
#include "recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

constexpr int kSubjects = 100000;

QString codeOf(int i)
{
    return QString::number(1000000 + i);
}

bool fillSubjects()
{
    QSqlDatabase db = Store::database();
    db.transaction();
    QSqlQuery ide(db);
    QSqlQuery answer(db);
    ide.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Jens\", "
                               "\"Taahol\", \"Group\", \"Date\", \"Time\") VALUES (?, 'F', 'L', '30', 'B', 'M', 'S', 'A', "
                               "'1403/01/01', '10:00:00')"));
    answer.prepare(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"1\", \"2\", \"3\") VALUES (?, '4', '3', '2')"));
    for (int i = 0; i < kSubjects; ++i) {
        ide.addBindValue(codeOf(i));
        answer.addBindValue(codeOf(i));
        if (!ide.exec() || !answer.exec())
            return false;
    }
    return db.commit();
}

void BM_OpenIde(benchmark::State &state)
{
    for (auto _ : state) {
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        benchmark::DoNotOptimize(set.open());
    }
}

void BM_OpenAnswer(benchmark::State &state)
{
    for (auto _ : state) {
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        benchmark::DoNotOptimize(set.open());
    }
}

void BM_FilterByCode(benchmark::State &state)
{
    RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
    set.open();
    int i = 0;
    for (auto _ : state) {
        set.filterBy(QStringLiteral("code"), codeOf((i += 7919) % kSubjects));
        if (set.count() != 1)
            state.SkipWithError("filter did not find the subject");
    }
}

void BM_CountAfterOpen(benchmark::State &state)
{
    RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
    for (auto _ : state) {
        set.open();
        if (set.count() != kSubjects)
            state.SkipWithError("wrong count");
    }
}

void BM_CommitOneAnswer(benchmark::State &state)
{
    RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
    set.filterBy(QStringLiteral("code"), codeOf(kSubjects / 2));
    int value = 1;
    for (auto _ : state) {
        value = value % 4 + 1;
        set.setField(QStringLiteral("7"), QString::number(value));
        if (!set.commit())
            state.SkipWithError("commit failed");
    }
}

}  // namespace

BENCHMARK(BM_OpenIde)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_OpenAnswer)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_FilterByCode)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_CountAfterOpen)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_CommitOneAnswer)->Unit(benchmark::kMillisecond)->Repetitions(5);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DBQORV/DBQORV.mdb"));
    QString error;
    if (!Store::createDatabase(path, &error) || Store::openDatabase(path).status != Store::OpenStatus::Opened
        || !fillSubjects()) {
        fprintf(stderr, "bench_store: cannot prepare the database: %s\n", qPrintable(error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Store::closeDatabase();
    return 0;
}
