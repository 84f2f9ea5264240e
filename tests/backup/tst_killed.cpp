#include "store/database.h"
#include "support/programfolder.h"

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

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
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
        for (int trial = 0; trial < kTrials; ++trial) {
            const QByteArray before = hashOf(target);
            runAndKill({QStringLiteral("backup"), folder.databasePath(), target},
                       QRandomGenerator::global()->bounded(150));
            const QByteArray after = hashOf(target);
            QVERIFY2(after == before || after == database, qPrintable(QStringLiteral("trial %1").arg(trial)));
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
        QVERIFY(fill(1, 20000));
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
        ProgramFolder folder;
        QVERIFY(fill(1, 12000));
        const QString backup = folder.filePath(QStringLiteral("Back/trial.mdbB"));
        QVERIFY(QFile::copy(folder.databasePath(), backup));
        QVERIFY(fill(100000, 8000));
        Store::closeDatabase();
        const QByteArray restored = hashOf(backup);
        const QString databaseFolder = QFileInfo(folder.databasePath()).absolutePath();
        for (int trial = 0; trial < kTrials; ++trial) {
            const QByteArray before = hashOf(folder.databasePath());
            runAndKill({QStringLiteral("restore"), backup, folder.databasePath()},
                       QRandomGenerator::global()->bounded(200));
            const QByteArray after = hashOf(folder.databasePath());
            QVERIFY2(after == before || after == restored, qPrintable(QStringLiteral("trial %1").arg(trial)));
            QCOMPARE(Store::checkDatabaseFile(folder.databasePath()).status, Store::OpenStatus::Opened);
            // The next start leaves nothing beside the database.
            QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
            Store::closeDatabase();
            QCOMPARE(filesIn(databaseFolder), QStringList{QStringLiteral("DBQORV.mdb")});
            // Start the next trial from the larger database again, now and then.
            if (after == restored && trial % 2 == 0) {
                QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
                QVERIFY(fill(200000 + trial * 1000, 500));
                Store::closeDatabase();
            }
        }
    }
};

QObject *makeTestKilled()
{
    return new TestKilled;
}

#include "tst_killed.moc"
