// Timings through the real windows on a database of 100,000 registered subjects, fsync included:
// a registration (two rows in one transaction) and a Next (commit of one answer); and the way
// from a closed database to the painted main window (open with the page check left for after
// the paint, the window built, shown and painted) beside a bare window of the same size.
#include "app/frm1.h"
#include "administration/frmtest.h"
#include "ui/prompts.h"
#include "store/recordset.h"
#include "store/database.h"
#include "benchprompts.h"
#include "subjectdatabase.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

BenchPrompts silent;

template <typename T>
T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

void BM_Registration(benchmark::State &state)
{
    Frm1 main;
    int next = 0;
    for (auto _ : state) {
        child<QPushButton>(&main, "Command1")->click();
        child<QLineEdit>(&main, "Text11")->setText(QStringLiteral("B%1").arg(next++));
        for (const char *box : {"Text6", "Text4", "Text7"})
            child<QLineEdit>(&main, box)->setText(QStringLiteral("x"));
        child<QLineEdit>(&main, "Text5")->setText(QStringLiteral("30"));
        for (const char *list : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(&main, list)->setCurrentIndex(0);
        child<QPushButton>(&main, "Command8")->click();
        if (child<QWidget>(&main, "Frame10")->isVisible())
            state.SkipWithError("registration refused");
    }
}

void BM_NextCommitsOneAnswer(benchmark::State &state)
{
    FrmTest test;
    if (!test.answerRows()->filterBy(QStringLiteral("code"), benchCode(kBenchSubjects / 2))
        || !test.subjectRows()->filterBy(QStringLiteral("code"), benchCode(kBenchSubjects / 2)))
        state.SkipWithError("filter failed");
    child<QPushButton>(&test, "Command1")->click();
    auto *number = child<QLineEdit>(&test, "Text6");
    int value = 0;
    for (auto _ : state) {
        value = value % 4 + 1;
        child<QRadioButton>(&test, QStringLiteral("Option%1").arg(value).toLatin1().constData())->click();
        child<QPushButton>(&test, number->text() == QLatin1String("1") ? "CmdNext" : "CmdBack")->click();
    }
    if (silent.messages)
        state.SkipWithError("a commit failed");
}

}  // namespace

void BM_StartUpToPaintedMainWindow(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Store::closeDatabase();
        state.ResumeTiming();
        if (Store::openDatabase(QString::fromLatin1(Store::kDatabasePath), Store::Access::ReadWrite, Store::PageCheck::Later)
                .status
            != Store::OpenStatus::Opened) {
            state.SkipWithError("cannot open");
            break;
        }
        Frm1 main;
        main.show();
        main.repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        state.PauseTiming();
        // The check that follows the paint, outside the timing: it is what the first paint no longer waits for.
        Store::finishPageCheck();
        state.ResumeTiming();
    }
}

// The open alone, with SQLite's page check at the open (as before) and left for later.
void BM_OpenDatabase(benchmark::State &state)
{
    const auto check = state.range(0) ? Store::PageCheck::AtOpen : Store::PageCheck::Later;
    for (auto _ : state) {
        state.PauseTiming();
        Store::closeDatabase();
        state.ResumeTiming();
        if (Store::openDatabase(QString::fromLatin1(Store::kDatabasePath), Store::Access::ReadWrite, check).status
            != Store::OpenStatus::Opened) {
            state.SkipWithError("cannot open");
            break;
        }
    }
    Store::finishPageCheck();
}

void BM_BareWindowOfTheSameSize(benchmark::State &state)
{
    const QSize size = Frm1().size();
    for (auto _ : state) {
        QWidget bare;
        bare.resize(size);
        bare.show();
        bare.repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

BENCHMARK(BM_StartUpToPaintedMainWindow)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_BareWindowOfTheSameSize)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_OpenDatabase)->ArgName("pageCheckAtOpen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_Registration)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_NextCommitsOneAnswer)->Unit(benchmark::kMillisecond)->Repetitions(5);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setPrompts(&silent);
    return runOnSubjectDatabase(argc, argv, "bench_windows");
}
