// A backup of a 100 MB database through the window's block copy (events
// processed between blocks, flushed to disk), beside cp followed by sync of
// the same file, in one run.
#include "backup/copyfileinblocks.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QTemporaryDir *folder = nullptr;

QString sourcePath()
{
    return folder->filePath(QStringLiteral("DBQORV.mdb"));
}

void BM_CopyFileInBlocks(benchmark::State &state)
{
    const QString target = folder->filePath(QStringLiteral("blocks.mdbB"));
    for (auto _ : state) {
        QString error;
        if (!Backup::copyFileInBlocks(sourcePath(), target, &error, [] { QCoreApplication::processEvents(); }))
            state.SkipWithError(qPrintable(error));
    }
}

void BM_CpThenSync(benchmark::State &state)
{
    const QString target = folder->filePath(QStringLiteral("cp.mdbB"));
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cp \"$0\" \"$1\" && sync"),
                                                     sourcePath(), target}) != 0)
            state.SkipWithError("cp failed");
    }
}

}  // namespace

BENCHMARK(BM_CopyFileInBlocks)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_CpThenSync)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    QFile source(sourcePath());
    if (!source.open(QIODevice::WriteOnly))
        return 1;
    QByteArray chunk(1024 * 1024, Qt::Uninitialized);
    for (int megabyte = 0; megabyte < 100; ++megabyte) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(chunk.data()), chunk.size() / 4);
        source.write(chunk);
    }
    source.close();
    // The source on disk first, so that neither side pays for writing it.
    ::sync();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
