// The way from starting the program to its painted main window, as a process
// of its own (loading, the database's open, the window built and painted),
// beside a bare Qt program showing an empty window of the same size, in one
// run: wall time, CPU time and peak memory of each. The program folder is a
// copy of the built one with the benchmark database (see subjectdatabase.h).
#include "subjectdatabase.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

QString programFolder;
QString barePath;
QStringList windowSize;

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
    bool ok = false;
};

Run runProcess(const QString &program, const QStringList &arguments)
{
    QList<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        bytes << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Run run;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage usage {};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.wallMs = clock.nsecsElapsed() / 1e6;
            run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
            run.peakMiB = usage.ru_maxrss / 1024.0;
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void time(benchmark::State &state, const QString &program, const QStringList &arguments)
{
    double cpu = 0;
    double peak = 0;
    for (auto _ : state) {
        const Run run = runProcess(program, arguments);
        if (!run.ok) {
            state.SkipWithError("the process failed");
            break;
        }
        state.SetIterationTime(run.wallMs / 1e3);
        cpu += run.cpuMs;
        peak = std::max(peak, run.peakMiB);
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu / std::max<double>(1, state.iterations()));
    state.counters["peak_MiB"] = peak;
}

void BM_ProgramToFirstPaint(benchmark::State &state)
{
    time(state, QDir(programFolder).filePath(QStringLiteral("quorvel")), {});
}

void BM_BareWindowProcess(benchmark::State &state)
{
    time(state, barePath, windowSize);
}

}  // namespace

BENCHMARK(BM_ProgramToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);
BENCHMARK(BM_BareWindowProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString built = QStringLiteral(QUORVEL_BUILT_PROGRAM_FOLDER);
    barePath = QStringLiteral(QUORVEL_BARE_WINDOW);
    QTemporaryDir folder;
    QString error;
    if (!prepareSubjectDatabase(folder, &error)) {
        fprintf(stderr, "bench_startup: cannot prepare the database: %s\n", qPrintable(error));
        return 1;
    }
    Store::closeDatabase();
    // The program beside its database, as installed.
    for (QDirIterator files(built, QDir::Files); files.hasNext();) {
        const QString file = files.next();
        QFile::copy(file, folder.filePath(QFileInfo(file).fileName()));
    }
    programFolder = folder.path();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUORVEL_EXIT_AFTER_FIRST_PAINT", "1");
    QProcess probe;
    probe.start(QDir(programFolder).filePath(QStringLiteral("quorvel")), QStringList());
    probe.waitForFinished();
    windowSize = QString::fromLatin1(probe.readAllStandardOutput()).simplified().split(u' ');
    if (probe.exitCode() != 0 || windowSize.size() != 2) {
        fprintf(stderr, "bench_startup: the program did not start: %s\n", probe.readAllStandardError().constData());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
