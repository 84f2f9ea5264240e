#include "store/database.h"
#include "support/files.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/testmain.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

#include <signal.h>
#include <unistd.h>

namespace {

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(missing)");
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

// Starts the trial and kills it after delayMs, unless it ended before.
void runAndKill(const QStringList &arguments, int delayMs)
{
    QProcess trial;
    trial.start(QStringLiteral(BACKUP_TRIAL), arguments);
    if (!trial.waitForStarted() || trial.waitForFinished(delayMs))
        return;
    ::kill(pid_t(trial.processId()), SIGKILL);
    trial.waitForFinished();
}

// The seeds of a run's trials: fresh ones, or the one QUORVEL_KILL_SEED gives
// back to replay that trial alone; none when that is not a number.
QList<quint32> trialSeeds(int trials)
{
    if (qEnvironmentVariableIsSet("QUORVEL_KILL_SEED")) {
        bool ok = false;
        const quint32 seed = qEnvironmentVariable("QUORVEL_KILL_SEED").trimmed().toUInt(&ok);
        return ok ? QList<quint32>{seed} : QList<quint32>{};
    }
    QList<quint32> seeds;
    for (int trial = 0; trial < trials; ++trial)
        seeds << QRandomGenerator::global()->generate();
    return seeds;
}

// How long a trial runs before it is killed: drawn from its seed alone, and printed with it.
int killDelay(int trial, quint32 seed, int boundMs)
{
    const int delay = QRandomGenerator(seed).bounded(boundMs);
    qInfo("trial %d: seed %u, killed after %d ms", trial, seed, delay);
    return delay;
}

QString trialName(int trial, quint32 seed)
{
    return QStringLiteral("trial %1 (QUORVEL_KILL_SEED=%2)").arg(trial).arg(seed);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace

class TestKilled : public QObject
{
    Q_OBJECT

    // 40 trials of each in a test run; QUORVEL_KILL_TRIALS asks for more, QUORVEL_KILL_SEED replays one.
    const int kTrials = qEnvironmentVariableIsSet("QUORVEL_KILL_TRIALS") ? qEnvironmentVariableIntValue("QUORVEL_KILL_TRIALS") : 40;
    const QList<quint32> kSeeds = trialSeeds(kTrials);

private slots:
    // However a backup is cut short, the target holds its old bytes or the whole copy.
    void killedBackupLeavesAWholeTarget()
    {
        QVERIFY2(!kSeeds.isEmpty(), "QUORVEL_KILL_SEED is not a number");
        ProgramFolder folder;
        // Some 17 MB of subjects: the copy takes thousands of blocks, and most kills land part way.
        QVERIFY(addBulkySubjects(1, 45000));
        const QString target = folder.filePath(QStringLiteral("Back/trial.mdbB"));
        QVERIFY(writeFile(target, QByteArray(5000, 'o')));
        const QByteArray database = hashOf(folder.databasePath());
        for (int trial = 0; trial < kSeeds.size(); ++trial) {
            const quint32 seed = kSeeds.at(trial);
            const QByteArray before = hashOf(target);
            runAndKill({QStringLiteral("backup"), folder.databasePath(), target}, killDelay(trial, seed, 150));
            const QByteArray after = hashOf(target);
            QVERIFY2(after == before || after == database, qPrintable(trialName(trial, seed)));
            QCOMPARE(hashOf(folder.databasePath()), database);
            // At most the one temporary file of the trial just killed; the next writer takes it away.
            QVERIFY2(filesIn(folder.filePath(QStringLiteral("Back"))).size() <= 2,
                     qPrintable(filesIn(folder.filePath(QStringLiteral("Back"))).join(QLatin1Char(' '))));
        }
    }

    // A backup taken while another program is in the middle of a write is
    // never a mix of old and new pages: it waits, then is refused as busy,
    // and whatever stood at the target stays.
    void backupBesideAWriterIsWholeOrRefused()
    {
        ProgramFolder folder;
        QVERIFY(addBulkySubjects(1, 45000));
        Store::closeDatabase();
        Store::setBusyWait(500);
        const QString target = folder.filePath(QStringLiteral("Back/beside-writer.mdbB"));
        QProcess writer;
        writer.start(QStringLiteral(BACKUP_TRIAL), {QStringLiteral("write"), folder.databasePath(), QStringLiteral("20")});
        QVERIFY(writer.waitForReadyRead(10000));
        QCOMPARE(writer.readAll().trimmed(), QByteArray("writing"));
        QProcess backup;
        backup.start(QStringLiteral(BACKUP_TRIAL), {QStringLiteral("backup"), folder.databasePath(), target});
        QVERIFY(backup.waitForFinished(20000));
        writer.kill();
        writer.waitForFinished();
        Store::setBusyWait(3000);
        if (backup.exitCode() == 0) {
            QCOMPARE(Store::checkDatabaseFile(target).status, Store::OpenStatus::Opened);
        } else {
            QVERIFY(!QFile::exists(target));
            QVERIFY2(QString::fromUtf8(backup.readAllStandardError()).contains(QStringLiteral("در حال نوشتن")),
                     "refused without naming the writer");
        }
        QCOMPARE(filesIn(folder.filePath(QStringLiteral("Back"))).size(), backup.exitCode() == 0 ? 1 : 0);
    }

    // A database or a backup in a folder this user may not read is named as
    // such, never as missing (which would offer to make a fresh database).
    void unreadableFolderIsNamedSo_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("the database at start") << QStringLiteral("open");
        QTest::newRow("a backup to restore") << QStringLiteral("check");
    }
    void unreadableFolderIsNamedSo()
    {
        QFETCH(QString, mode);
        ProgramFolder folder;
        const QString locked = folder.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(locked));
        const QString file = locked + QStringLiteral("/DBQORV.mdb");
        QVERIFY(QFile::copy(folder.databasePath(), file));
        QProcess trial;
        if (geteuid() == 0) {
            // Root reads every folder: the check runs as a user without rights here.
            trial.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                    QStringLiteral("--clear-groups"), QStringLiteral(BACKUP_TRIAL), mode, file});
        } else {
            QVERIFY(QFile::setPermissions(locked, QFile::WriteOwner));
            trial.start(QStringLiteral(BACKUP_TRIAL), {mode, file});
        }
        QVERIFY(trial.waitForFinished(20000));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList said = QString::fromUtf8(trial.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(said.value(0).toInt(), int(Store::OpenStatus::Failed));
        QVERIFY2(said.value(1).contains(QStringLiteral("اجازهٔ دسترسی")), qPrintable(said.join(QLatin1Char('|'))));
    }

    // However a restore is cut short, the database is the old one or the backup, whole.
    void killedRestoreLeavesAWholeDatabase()
    {
        QVERIFY2(!kSeeds.isEmpty(), "QUORVEL_KILL_SEED is not a number");
        ProgramFolder folder;
        QVERIFY(addBulkySubjects(1, 27000));
        const QString backup = folder.filePath(QStringLiteral("Back/trial.mdbB"));
        QVERIFY(QFile::copy(folder.databasePath(), backup));
        QVERIFY(addBulkySubjects(100000, 18000));
        Store::closeDatabase();
        const QByteArray restored = hashOf(backup);
        const QString databaseFolder = QFileInfo(folder.databasePath()).absolutePath();
        for (int trial = 0; trial < kSeeds.size(); ++trial) {
            const quint32 seed = kSeeds.at(trial);
            const QByteArray before = hashOf(folder.databasePath());
            runAndKill({QStringLiteral("restore"), backup, folder.databasePath()}, killDelay(trial, seed, 200));
            const QByteArray after = hashOf(folder.databasePath());
            QVERIFY2(after == before || after == restored, qPrintable(trialName(trial, seed)));
            QCOMPARE(Store::checkDatabaseFile(folder.databasePath()).status, Store::OpenStatus::Opened);
            // The next start leaves nothing beside the database.
            QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
            Store::closeDatabase();
            QCOMPARE(filesIn(databaseFolder), QStringList{QStringLiteral("DBQORV.mdb")});
            // Start the next trial from the larger database again, now and then.
            if (after == restored && trial % 2 == 0) {
                QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
                QVERIFY(addBulkySubjects(200000 + trial * 2000, 1100));
                Store::closeDatabase();
            }
        }
    }
};

QUORVEL_TEST_MAIN(TestKilled)

#include "tst_killed.moc"
