// Store timings on a database of 100,000 registered subjects, fsync included.
#include "store/recordset.h"
#include "subjectdatabase.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

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
    if (!set.open())
        state.SkipWithError("open failed");
    int i = 0;
    for (auto _ : state) {
        if (!set.filterBy(QStringLiteral("code"), benchCode((i += 7919) % kBenchSubjects)) || set.count() != 1)
            state.SkipWithError("filter did not find the subject");
    }
}

void BM_CountAfterOpen(benchmark::State &state)
{
    RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
    for (auto _ : state) {
        if (!set.open() || set.count() != kBenchSubjects)
            state.SkipWithError("wrong count");
    }
}

void BM_CommitOneAnswer(benchmark::State &state)
{
    RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
    if (!set.filterBy(QStringLiteral("code"), benchCode(kBenchSubjects / 2)))
        state.SkipWithError("filter failed");
    int value = 1;
    for (auto _ : state) {
        value = value % 4 + 1;
        if (!set.setField(QStringLiteral("7"), QString::number(value)) || !set.commit())
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
    return runOnSubjectDatabase(argc, argv, "bench_store");
}
