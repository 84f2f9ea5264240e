// Timings of keying and reports on a database of many registered subjects:
// scoring one subject through the window, the result table of 10,000 subjects
// laid out and written to PDF, and the preview of the whole table opened with
// its first page painted.
#include "preview/reportpreview.h"
#include "report/reportlayout.h"
#include "report/reportpainter.h"
#include "report/resultreports.h"
#include "scoring/frmklid.h"
#include "store/recordset.h"
#include "benchprompts.h"
#include "subjectdatabase.h"
#include "ui/fonts.h"
#include "ui/prompts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const QString kScored = benchCode(kBenchSubjects / 2);

BenchPrompts bench;

QString scoreOf(const QString &code)
{
    QSqlQuery query(Store::database());
    return query.exec(QStringLiteral("SELECT \"Nomre\" FROM \"ide\" WHERE \"Code\" = '%1'").arg(code)) && query.next()
               ? query.value(0).toString()
               : QString();
}

void BM_ScoreOneSubject(benchmark::State &state)
{
    QSqlQuery complete(Store::database());
    QStringList answers;
    for (int item = 1; item <= 20; ++item)
        answers << QStringLiteral("\"%1\" = '%2'").arg(item).arg(item % 4 + 1);
    if (!complete.exec(QStringLiteral("UPDATE \"Answer\" SET %1 WHERE \"Code\" = '%2'").arg(answers.join(u','), kScored)))
        state.SkipWithError("cannot complete the answers");
    FrmkLID keying;
    auto *select = keying.findChild<QPushButton *>(QStringLiteral("Command1"));
    const int before = bench.notices;
    // Across all runs, so that no round repeats the answer the one before left.
    static int round = 0;
    for (auto _ : state) {
        // The first answer changes every round, so that every scoring stores a new score.
        state.PauseTiming();
        QSqlQuery change(Store::database());
        if (!change.exec(QStringLiteral("UPDATE \"Answer\" SET \"1\" = '%1' WHERE \"Code\" = '%2'")
                             .arg(++round % 2 ? 1 : 4)
                             .arg(kScored))) {
            state.SkipWithError("cannot change an answer");
            break;
        }
        const QString stored = scoreOf(kScored);
        state.ResumeTiming();
        select->click();
        state.PauseTiming();
        if (scoreOf(kScored) == stored) {
            state.SkipWithError("the score was not stored anew");
            break;
        }
        state.ResumeTiming();
    }
    if (bench.messages || bench.notices - before != state.iterations())
        state.SkipWithError("scoring was refused");
}

void BM_TableOf10000ToPdf(benchmark::State &state)
{
    QSqlQuery group(Store::database());
    if (!group.exec(QStringLiteral("UPDATE \"ide\" SET \"Group\" = 'T' WHERE rowid <= 10000")))
        state.SkipWithError("cannot form the group");
    QTemporaryDir out;
    for (auto _ : state) {
        RecordSet subjects(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        std::shared_ptr<const Report::RowSource> rows;
        const Report::Design table = ResultReports::DataRPrint({});
        QString error;
        if (!subjects.filterBy(QStringLiteral("Group"), QStringLiteral("T"))
            || !ResultReports::StreamRows(subjects, table.fields(), &rows) || rows->count() != 10000) {
            state.SkipWithError("cannot read the group");
            break;
        }
        const Report::Layout layout(table, *rows);
        if (!Report::writePdf(layout, out.filePath(QStringLiteral("table.pdf")), QStringLiteral("bench"), &error))
            state.SkipWithError(qPrintable(error));
    }
}

void BM_PreviewOfAllSubjects(benchmark::State &state)
{
    FrmkLID keying;
    auto *printAll = keying.findChild<QPushButton *>(QStringLiteral("Command3"));
    for (auto _ : state) {
        printAll->click();
        ReportPreview *preview = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<ReportPreview *>(window); found && found->isVisible())
                preview = found;
        if (!preview) {
            state.SkipWithError("no preview");
            break;
        }
        // The first page painted as the screen would show it.
        benchmark::DoNotOptimize(preview->grab());
        state.PauseTiming();
        preview->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_ScoreOneSubject)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TableOf10000ToPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_PreviewOfAllSubjects)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    bench.input = kScored;
    setPrompts(&bench);
    return runOnSubjectDatabase(argc, argv, "bench_scoring");
}
