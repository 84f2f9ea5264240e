// Timings of the lookup window on a database of many registered subjects:
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

// Each chooser timed on its own, as the operator uses them: a group; then,
// within a group just chosen (untimed), a last name or a first name.
void BM_Choice(benchmark::State &state)
{
    FrmCode lookup;
    lookup.show();
    auto *group = lookup.findChild<QComboBox *>(QStringLiteral("Combo3"));
    auto *names = lookup.findChild<QComboBox *>(QString::fromLatin1(state.range(0) == 1 ? "DataCombo1" : "DataCombo6"));
    auto *grid = lookup.findChild<QTableView *>(QStringLiteral("DataGrid1"));
    if (group->count() == 0) {
        state.SkipWithError("no groups to choose");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        ++round;
        if (state.range(0) == 0) {
            pick(group, group->itemText(round % group->count()));
        } else {
            state.PauseTiming();
            pick(group, group->itemText(round % group->count()));
            grid->viewport()->repaint();
            if (names->count() == 0) {
                state.SkipWithError("a group without names");
                break;
            }
            const QString name = names->itemText(round * 7 % names->count());
            const int listedBefore = grid->model()->rowCount();
            state.ResumeTiming();
            pick(names, name);
            grid->viewport()->repaint();
            state.PauseTiming();
            // A name narrows the grid, or the choice did nothing worth timing.
            if (grid->model()->rowCount() == 0 || grid->model()->rowCount() > listedBefore + 256) {
                state.SkipWithError("the name did not narrow the grid");
                break;
            }
            state.ResumeTiming();
            continue;
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
BENCHMARK(BM_Choice)->ArgName("group0_last1_first2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5);
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
