// Backup and restore of a 100 MB database (QUORVEL_BENCH_BACKUP_MB asks for
// another size) as the backup window runs them (a snapshot under a read lock,
// events processed between blocks, synced to disk, the copy checked before it
// takes its name), beside cp followed by an fsync of that one file, in one run.
#include "backup/backupdatabase.h"
#include "backup/restore.h"
#include "store/database.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QTemporaryDir *folder = nullptr;

// The longest stretch in which the window could not paint: between the
// start, each turn the copy gives the window, and the end.
class PaintGaps
{
public:
    PaintGaps() { m_clock.start(); }
    bool turn()
    {
        QCoreApplication::processEvents();
        note();
        return true;
    }
    void note()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = qMax(m_longest, now - m_last);
        m_last = now;
    }
    qint64 longest() const { return m_longest; }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

QString databasePath()
{
    return folder->filePath(QStringLiteral("DBQORV.mdb"));
}

// Subjects with long random names until the file holds about the size asked.
bool fillDatabase()
{
    bool given = false;
    const int megabytes = qEnvironmentVariableIntValue("QUORVEL_BENCH_BACKUP_MB", &given);
    const int rows = (given && megabytes > 0 ? megabytes : 100) * 920;
    if (!Store::createDatabase(databasePath()) || Store::openDatabase(databasePath()).status != Store::OpenStatus::Opened)
        return false;
    QSqlDatabase db = Store::database();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\", \"LName\", \"Group\") VALUES (?, ?, ?, 'A')"));
    QString name(200, QChar(u'ا'));
    for (int code = 0; code < rows; ++code) {
        for (QChar &letter : name)
            letter = QChar(u'آ' + QRandomGenerator::global()->bounded(40));
        insert.addBindValue(QString::number(code));
        insert.addBindValue(name);
        insert.addBindValue(name.left(20));
        if (!insert.exec())
            return false;
    }
    const bool ok = db.commit();
    Store::closeDatabase();
    return ok;
}

void BM_Backup(benchmark::State &state)
{
    const QString target = folder->filePath(QStringLiteral("backup.mdbB"));
    qint64 longestGap = 0;
    for (auto _ : state) {
        QString error;
        PaintGaps gaps;
        if (!Backup::backupDatabase(databasePath(), target, &error, [&gaps](qint64, qint64) { return gaps.turn(); }))
            state.SkipWithError(qPrintable(error));
        gaps.note();
        longestGap = qMax(longestGap, gaps.longest());
    }
    state.counters["MB"] = double(QFileInfo(databasePath()).size()) / (1024 * 1024);
    state.counters["longest_unpainted_ms"] = double(longestGap);
}

void BM_Restore(benchmark::State &state)
{
    const QString backup = folder->filePath(QStringLiteral("restore-source.mdbB"));
    QFile::remove(backup);
    QFile::copy(databasePath(), backup);
    const QString database = folder->filePath(QStringLiteral("restored.mdb"));
    qint64 longestGap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(database);
        Store::createDatabase(database);
        Store::openDatabase(database);
        state.ResumeTiming();
        QString error;
        PaintGaps gaps;
        if (!Backup::restoreDatabase(backup, database, &error, [&gaps](qint64, qint64) { return gaps.turn(); }))
            state.SkipWithError(qPrintable(error));
        gaps.note();
        longestGap = qMax(longestGap, gaps.longest());
    }
    state.counters["longest_unpainted_ms"] = double(longestGap);
}

void BM_CpThenFsync(benchmark::State &state)
{
    const QString target = folder->filePath(QStringLiteral("cp.mdbB"));
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cp \"$0\" \"$1\" && sync \"$1\""),
                                                     databasePath(), target}) != 0)
            state.SkipWithError("cp failed");
    }
}

}  // namespace

BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_CpThenFsync)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    if (!fillDatabase()) {
        fprintf(stderr, "bench_backup: cannot prepare the database\n");
        return 1;
    }
    // The source on disk first, so that neither side pays for writing it.
    ::sync();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
