// The analysis and the exports on 100,000 subjects with full answer sheets
// and scores: reading the subjects and working out every statistic (what the
// results window does when it opens), and each export to a file, beside their
// floor in the same run: the same rows only read, and the same number of
// bytes only written and synced.
#include "analysis/exports.h"
#include "analysis/statistics.h"
#include "analysis/subjectrecords.h"
#include "store/database.h"

#include <benchmark/benchmark.h>

#include "analysis/frmanalysis.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QTemporaryDir *folder = nullptr;

// Subjects in groups A to G, each with twenty answers and a score: 100,000,
// or as many as QUORVEL_BENCH_SUBJECTS asks for (1000000 for the large case).
bool fillDatabase()
{
    const qint64 count = qEnvironmentVariableIsSet("QUORVEL_BENCH_SUBJECTS")
                             ? qEnvironmentVariable("QUORVEL_BENCH_SUBJECTS").toLongLong()
                             : 100000;
    QDir::setCurrent(folder->path());
    if (!Store::createDatabase(QString::fromLatin1(Store::kDatabasePath))
        || Store::openDatabase().status != Store::OpenStatus::Opened)
        return false;
    QSqlQuery query(Store::database());
    QString answers;
    for (int item = 1; item <= 20; ++item)
        answers += QStringLiteral(", 1 + abs(random() % 4)");
    return query.exec(QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
               "INSERT INTO \"ide\" SELECT 1000000 + i, 'نام' || (i % 40), 'خانواده' || (i % 400), 20 + i % 45, "
               "'کارشناسی', CASE WHEN i % 2 THEN 'زن' ELSE 'مرد' END, 'متأهل', char(65 + i % 7), '1403/01/01', "
               "'10:00:00', 20 + abs(random() % 61) FROM n").arg(count - 1))
           && query.exec(QStringLiteral("INSERT INTO \"Answer\" SELECT \"Code\"") + answers + QStringLiteral(" FROM \"ide\""));
}

void readAndAnalyse(benchmark::State &state)
{
    for (auto _ : state) {
        QList<Analysis::SubjectRecord> subjects;
        if (Analysis::readSubjects(QString(), &subjects, {}, Analysis::ReadDetail::ForStatistics).status
            != Analysis::ReadStatus::Read)
            state.SkipWithError("read failed");
        const Analysis::Results results = Analysis::analyse(subjects);
        benchmark::DoNotOptimize(results.reliability.alpha);
    }
}
BENCHMARK(readAndAnalyse)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the same rows stepped through by SQLite with nothing made of them.
void readOnlyFloor(benchmark::State &state)
{
    QString answers;
    for (int item = 1; item <= 20; ++item)
        answers += QStringLiteral(", a.\"%1\"").arg(item);
    for (auto _ : state) {
        QSqlQuery query(Store::database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT count(i.\"Group\" || i.\"Nomre\"") + answers.replace(QStringLiteral(", "), QStringLiteral(" || "))
                        + QStringLiteral(") FROM \"ide\" i LEFT JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\""))
            || !query.next())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(query.value(0).toLongLong());
    }
}
BENCHMARK(readOnlyFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

qint64 lastSize[3] = {};

void exportTo(benchmark::State &state)
{
    const auto format = Analysis::ExportFormat(state.range(0));
    const char *names[] = {"results.sav", "results.xlsx", "results.csv"};
    const QString path = folder->filePath(QString::fromLatin1(names[state.range(0)]));
    for (auto _ : state) {
        Analysis::ExportInput input;
        if (Analysis::readSubjects(QString(), &input.subjects).status != Analysis::ReadStatus::Read)
            state.SkipWithError("read failed");
        input.itemTexts = Analysis::readItemTexts();
        input.results = Analysis::analyse(input.subjects);
        const Analysis::ExportResult result = Analysis::exportSubjects(path, format, input);
        if (!result.written)
            state.SkipWithError(qPrintable(result.error));
    }
    lastSize[state.range(0)] = QFileInfo(path).size();
    state.counters["bytes"] = double(lastSize[state.range(0)]);
}
BENCHMARK(exportTo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writing and syncing as many bytes as the largest export, in 64 KiB blocks.
void writeFloor(benchmark::State &state)
{
    const qint64 size = std::max({lastSize[0], lastSize[1], lastSize[2], qint64(1)});
    const QByteArray block(65536, 'x');
    const QString path = folder->filePath(QStringLiteral("floor.bin"));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            state.SkipWithError("cannot write");
        for (qint64 written = 0; written < size; written += block.size())
            file.write(block);
        file.flush();
        fsync(file.handle());
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(writeFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// The results window opened on every subject: read, worked out, its tables
// and charts filled, shown and painted once; beside it a bare window of the
// same size shown and painted.
void openResultsWindow(benchmark::State &state)
{
    for (auto _ : state) {
        FrmAnalysis window;
        window.show();
        window.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(openResultsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void bareWindowFloor(benchmark::State &state)
{
    const QSize size = FrmAnalysis().size();
    for (auto _ : state) {
        QWidget window;
        window.resize(size);
        window.show();
        window.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(bareWindowFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    if (!fillDatabase()) {
        fprintf(stderr, "bench_analysis: cannot prepare the database\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Store::closeDatabase();
    return 0;
}
