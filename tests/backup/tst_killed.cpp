#include "store/database.h"
#include "support/programfolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

#include <signal.h>

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

// Several megabytes of subjects, so a copy takes some thousands of blocks.
bool fill(int first, int count)
{
    QSqlDatabase db = Store::database();
    QSqlQuery query(db);
    if (!db.transaction() || !query.prepare(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"FName\") VALUES (?, ?)")))
        return false;
    for (int code = first; code < first + count; ++code) {
        query.addBindValue(QString::number(code));
        query.addBindValue(QString(120, QChar(u'ب')));
        if (!query.exec())
            return false;
    }
    return db.commit();
}

// Starts the trial and kills it after delayMs; true when it was killed before it ended.
bool runAndKill(const QStringList &arguments, int delayMs)
{
    QProcess trial;
    trial.start(QStringLiteral(BACKUP_TRIAL), arguments);
    if (!trial.waitForStarted())
        return false;
    if (trial.waitForFinished(delayMs))
        return false;
    ::kill(pid_t(trial.processId()), SIGKILL);
    trial.waitForFinished();
    return true;
}

}  // namespace

class TestKilled : public QObject
{
    Q_OBJECT

    // 40 trials of each in a test run; QUORVEL_KILL_TRIALS asks for more.
    const int kTrials = qEnvironmentVariableIsSet("QUORVEL_KILL_TRIALS") ? qEnvironmentVariableIntValue("QUORVEL_KILL_TRIALS") : 40;

private slots:
    // However a backup is cut short, the target holds its old bytes or the whole copy.
    void killedBackupLeavesAWholeTarget()
    {
        ProgramFolder folder;
        QVERIFY(fill(1, 20000));
        const QString target = folder.filePath(QStringLiteral("Back/trial.mdbB"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(5000, 'o')) == 5000);
        }
        const QByteArray database = hashOf(folder.databasePath());
        int killed = 0;
        for (int trial = 0; trial < kTrials; ++trial) {
            const QByteArray before = hashOf(target);
            killed += runAndKill({QStringLiteral("backup"), folder.databasePath(), target},
                                 QRandomGenerator::global()->bounded(90));
            const QByteArray after = hashOf(target);
            QVERIFY2(after == before || after == database, qPrintable(QStringLiteral("trial %1").arg(trial)));
            QCOMPARE(hashOf(folder.databasePath()), database);
        }
        qInfo("%d of %d backups killed part way", killed, kTrials);
        QVERIFY(killed > 0 && killed < kTrials);
    }

    // However a restore is cut short, the database is the old one or the backup, whole.
    void killedRestoreLeavesAWholeDatabase()
    {
        ProgramFolder folder;
        QVERIFY(fill(1, 12000));
        const QString backup = folder.filePath(QStringLiteral("Back/trial.mdbB"));
        QVERIFY(QFile::copy(folder.databasePath(), backup));
        QVERIFY(fill(100000, 8000));
        Store::closeDatabase();
        const QByteArray restored = hashOf(backup);
        int killed = 0;
        for (int trial = 0; trial < kTrials; ++trial) {
            const QByteArray before = hashOf(folder.databasePath());
            killed += runAndKill({QStringLiteral("restore"), backup, folder.databasePath()},
                                 QRandomGenerator::global()->bounded(200));
            const QByteArray after = hashOf(folder.databasePath());
            QVERIFY2(after == before || after == restored, qPrintable(QStringLiteral("trial %1").arg(trial)));
            QCOMPARE(Store::checkDatabaseFile(folder.databasePath()).status, Store::OpenStatus::Opened);
            // Start the next trial from the larger database again, now and then.
            if (after == restored && trial % 2 == 0) {
                QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
                QVERIFY(fill(200000 + trial * 1000, 500));
                Store::closeDatabase();
            }
        }
        qInfo("%d of %d restores killed part way", killed, kTrials);
        QVERIFY(killed > 0 && killed < kTrials);
    }
};

QObject *makeTestKilled()
{
    return new TestKilled;
}

#include "tst_killed.moc"
