// Timings of the lookup window on a database of 100,000 registered subjects:
// opening it with the grid showing, each choice (filter, grid and both name
// lists), and the deletion of one subject, fsync included.
#include "benchprompts.h"
#include "registry/frmcode.h"
#include "subjectdatabase.h"
#include "ui/fonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

BenchPrompts bench;

void pick(QComboBox *chooser, const QString &text)
{
    chooser->setCurrentIndex(chooser->findText(text));
    emit chooser->textActivated(text);
}

void BM_OpenWithGrid(benchmark::State &state)
{
    for (auto _ : state) {
        FrmCode lookup;
        lookup.show();
        benchmark::DoNotOptimize(lookup.grab());
    }
}

void BM_Choice(benchmark::State &state)
{
    FrmCode lookup;
    lookup.show();
    auto *group = lookup.findChild<QComboBox *>(QStringLiteral("Combo3"));
    auto *lastName = lookup.findChild<QComboBox *>(QStringLiteral("DataCombo1"));
    auto *firstName = lookup.findChild<QComboBox *>(QStringLiteral("DataCombo6"));
    auto *grid = lookup.findChild<QTableView *>(QStringLiteral("DataGrid1"));
    int round = 0;
    for (auto _ : state) {
        // Group, then a last name of that group, then a first name: each a choice of its own.
        switch (round++ % 3) {
        case 0: pick(group, QString(QChar(u'A' + round % 7))); break;
        case 1: pick(lastName, lastName->itemText(round % lastName->count())); break;
        case 2: pick(firstName, firstName->itemText(round % firstName->count())); break;
        }
        grid->viewport()->repaint();
    }
    if (bench.messages)
        state.SkipWithError("a choice failed");
}

void BM_Deletion(benchmark::State &state)
{
    FrmCode lookup;
    lookup.show();
    auto *code = lookup.findChild<QLineEdit *>(QStringLiteral("Text5"));
    auto *remove = lookup.findChild<QPushButton *>(QStringLiteral("Command2"));
    bench.yes = true;
    const int before = bench.notices;
    static int next = 0;  // each repetition deletes subjects still there
    for (auto _ : state) {
        state.PauseTiming();
        code->setText(benchCode(next++ * 7));
        state.ResumeTiming();
        remove->click();
    }
    bench.yes = false;
    if (bench.messages || bench.notices - before != state.iterations())
        state.SkipWithError("a deletion failed");
}

}  // namespace

BENCHMARK(BM_OpenWithGrid)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Choice)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Deletion)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    setPrompts(&bench);
    return runOnSubjectDatabase(argc, argv, "bench_lookup");
}
