// The safe-replace routine, the check of files offered as backups, the busy
// wait and a connection closed under its record sets; no widgets.
#include "store/database.h"
#include "store/filecheck.h"
#include "store/recordset.h"
#include "store/rowsview.h"
#include "store/safefile.h"
#include "store/transaction.h"
#include "support/files.h"
#include "support/subjects.h"

#include <QCoreApplication>
#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A fresh database of the program in a temporary folder.
struct FreshDatabase {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("DBQORV.mdb"));
    bool ok = Store::createDatabase(path);
};

// Runs SQL on a file with a connection of its own.
bool execOn(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (ok && !query.exec(statement)) {
                qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
                ok = false;
            }
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    return ok;
}

// Disk calls that fail on purpose, one kind at a time.
int failingErrno = 0;
ssize_t writeFailing(int, const void *, size_t)
{
    errno = failingErrno;
    return -1;
}
int fsyncFailing(int)
{
    errno = failingErrno;
    return -1;
}
int closeFailing(int fd)
{
    ::close(fd);
    errno = failingErrno;
    return -1;
}
int renameFailing(const char *, const char *)
{
    errno = failingErrno;
    return -1;
}

struct InstalledCalls {
    explicit InstalledCalls(const SafeFile::SystemCalls &calls) : m_calls(calls) { SafeFile::setSystemCalls(&m_calls); }
    ~InstalledCalls() { SafeFile::setSystemCalls(nullptr); }
    SafeFile::SystemCalls m_calls;
};

}  // namespace

class TestFiles : public QObject
{
    Q_OBJECT

private slots:
    // The new bytes stand whole at the target, private whatever the umask
    // and whatever mode the old file had, with nothing left beside.
    void replacesWholeAndPrivate()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(writeFile(target, "old"));
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        const mode_t previous = ::umask(0);
        SafeFile::Writer writer(target);
        const bool written = writer.open() && writer.write("new bytes", 9) == 9 && writer.commit();
        ::umask(previous);
        QVERIFY2(written, qPrintable(writer.errorText()));
        QCOMPARE(readFile(target), QByteArray("new bytes"));
        QCOMPARE(QFileInfo(target).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("report.pdf")});
    }

    // Every disk call that can fail is checked: the target keeps its old
    // bytes, no temporary file stays, and the cause is named.
    void failuresLeaveTheTargetAsItWas_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("cause");
        QTest::newRow("write, disk full") << QStringLiteral("write") << ENOSPC << QStringLiteral("دیسک پر است");
        QTest::newRow("sync, input/output error") << QStringLiteral("fsync") << EIO << QStringLiteral("دیسک در خواندن یا نوشتن خطا داد");
        QTest::newRow("close, disk full") << QStringLiteral("close") << ENOSPC << QStringLiteral("دیسک پر است");
        QTest::newRow("rename, read-only") << QStringLiteral("rename") << EROFS << QStringLiteral("فقط‌خواندنی");
    }
    void failuresLeaveTheTargetAsItWas()
    {
        QFETCH(QString, call);
        QFETCH(int, error);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("backup.mdbB"));
        QVERIFY(writeFile(target, "old backup"));
        failingErrno = error;
        SafeFile::SystemCalls calls{::write, ::fsync, ::close, ::rename};
        if (call == QLatin1String("write"))
            calls.write = writeFailing;
        else if (call == QLatin1String("fsync"))
            calls.fsync = fsyncFailing;
        else if (call == QLatin1String("close"))
            calls.close = closeFailing;
        else
            calls.rename = renameFailing;
        QString errorText;
        {
            const InstalledCalls installed(calls);
            SafeFile::Writer writer(target);
            QVERIFY(writer.open());
            const bool committed = writer.write(QByteArray(70000, 'n').constData(), 70000) == 70000 && writer.commit();
            QVERIFY(!committed);
            errorText = writer.errorText();
        }
        QVERIFY2(errorText.contains(cause), qPrintable(errorText));
        QVERIFY2(errorText.contains(target), qPrintable(errorText));
        QCOMPARE(readFile(target), QByteArray("old backup"));
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("backup.mdbB")});
    }

    // A real file system that runs out of room says so.
    void fullDiskNamesItself()
    {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=2m") != 0)
            QSKIP("this machine does not let the test mount a small file system");
        const QString target = dir.filePath(QStringLiteral("big.mdbB"));
        QString errorText;
        {
            SafeFile::Writer writer(target);
            QVERIFY(writer.open());
            const QByteArray block(1 << 20, 'x');
            bool written = true;
            for (int i = 0; i < 3 && written; ++i)
                written = writer.write(block.constData(), block.size()) == block.size();
            QVERIFY(!(written && writer.commit()));
            errorText = writer.errorText();
        }
        const QStringList left = filesIn(dir.path());
        ::umount(mountPoint.constData());
        QVERIFY2(errorText.contains(QStringLiteral("دیسک پر است")), qPrintable(errorText));
        QCOMPARE(left, QStringList());
    }

    // A folder, a pipe or a device at the target is refused by name and stays what it was.
    void refusesWhatIsNotAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("پوشه");
        QTest::newRow("pipe") << QStringLiteral("fifo") << QStringLiteral("FIFO");
        QTest::newRow("device") << QStringLiteral("device") << QStringLiteral("دستگاه");
    }
    void refusesWhatIsNotAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("target"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(target));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else
            target = QStringLiteral("/dev/null");
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &before), 0);
        SafeFile::Writer writer(target);
        QVERIFY(!writer.open());
        QVERIFY2(writer.errorText().contains(named), qPrintable(writer.errorText()));
        QVERIFY(!SafeFile::refuseSource(target).isEmpty() || kind == QLatin1String("device"));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        if (kind == QLatin1String("fifo"))
            QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("target")});
        else if (kind == QLatin1String("folder"))
            QCOMPARE(filesIn(dir.path()), QStringList());
    }

    // A temporary file whose writer was killed goes with the next write in
    // its folder; one that a writer still holds stays.
    void staleTemporariesGo()
    {
        QTemporaryDir dir;
        const QString stale = dir.filePath(QStringLiteral(".quorvel-AbC123.partial"));
        QVERIFY(writeFile(stale, QByteArray(5000, 's')));
        SafeFile::Writer holding(dir.filePath(QStringLiteral("one.pdf")));
        QVERIFY(holding.open());
        SafeFile::Writer next(dir.filePath(QStringLiteral("two.pdf")));
        QVERIFY(next.open());
        QVERIFY(!QFile::exists(stale));
        QVERIFY(QFile::exists(holding.temporaryPath()));
        QVERIFY(holding.commit() && next.commit());
        QCOMPARE(filesIn(dir.path()), (QStringList{QStringLiteral("one.pdf"), QStringLiteral("two.pdf")}));
    }

    void acceptsOurDatabases()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QCOMPARE(Store::checkBackupFile(fresh.path, Store::CheckDepth::Whole).status, Store::OpenStatus::Opened);
        // Files written before the lookup indexes existed.
        QVERIFY(execOn(fresh.path, {QStringLiteral("DROP INDEX \"ide_LName\""), QStringLiteral("DROP INDEX \"ide_Group\""),
                                    QStringLiteral("DROP INDEX \"ide_Group_LName\""), QStringLiteral("DROP INDEX \"ide_Group_FName\"")}));
        const Store::OpenResult older = Store::checkBackupFile(fresh.path, Store::CheckDepth::Whole);
        QVERIFY2(older.status == Store::OpenStatus::Opened, qPrintable(older.detail));
    }

    // Only exactly our schema and data pass; a trigger that would delete
    // subjects later, or a file with gigabytes behind its pages, does not.
    void refusesWhatIsNotExactlyOurs_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<int>("status");
        const int notOurs = int(Store::OpenStatus::NotOurs);
        const int damaged = int(Store::OpenStatus::Damaged);
        QTest::newRow("trigger") << QStringList{QStringLiteral(
            "CREATE TRIGGER wipe AFTER INSERT ON \"ide\" BEGIN DELETE FROM \"ide\" WHERE \"Code\" <> NEW.\"Code\"; END")}
                                 << notOurs;
        QTest::newRow("view") << QStringList{QStringLiteral("CREATE VIEW v AS SELECT * FROM \"ide\"")} << notOurs;
        QTest::newRow("another table") << QStringList{QStringLiteral("CREATE TABLE extra (a)")} << notOurs;
        QTest::newRow("another index") << QStringList{QStringLiteral("CREATE INDEX extra ON \"ide\" (\"Nomre\")")} << notOurs;
        QTest::newRow("another column") << QStringList{QStringLiteral("ALTER TABLE \"ide\" ADD COLUMN extra TEXT")} << notOurs;
        QTest::newRow("key that replaces")
            << QStringList{QStringLiteral("DROP TABLE \"Answer\""),
                           QStringLiteral("CREATE TABLE \"Answer\" (\"Code\" TEXT PRIMARY KEY ON CONFLICT REPLACE)")}
            << notOurs;
        QTest::newRow("a table missing") << QStringList{QStringLiteral("DROP TABLE \"QU\"")} << damaged;
        QTest::newRow("no settings row") << QStringList{QStringLiteral("DELETE FROM \"Theme\"")} << damaged;
        QTest::newRow("two settings rows") << QStringList{QStringLiteral("INSERT INTO \"Theme\" VALUES ('2', '', '')")} << damaged;
        QTest::newRow("nineteen items") << QStringList{QStringLiteral("DELETE FROM \"QU\" WHERE \"code\" = 7")} << damaged;
        QTest::newRow("zeros behind the pages") << QStringList{QStringLiteral("zeros")} << damaged;
        QTest::newRow("pages cut off") << QStringList{QStringLiteral("cut")} << damaged;
    }
    void refusesWhatIsNotExactlyOurs()
    {
        QFETCH(QStringList, statements);
        QFETCH(int, status);
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        if (statements == QStringList{QStringLiteral("zeros")}) {
            // Sparse: four gigabytes on paper, nothing read before the refusal.
            QCOMPARE(::truncate(QFile::encodeName(fresh.path).constData(), QFileInfo(fresh.path).size() + (qint64(4) << 30)), 0);
        } else if (statements == QStringList{QStringLiteral("cut")}) {
            QCOMPARE(::truncate(QFile::encodeName(fresh.path).constData(), QFileInfo(fresh.path).size() - 4096), 0);
        } else {
            QVERIFY(execOn(fresh.path, statements));
        }
        const QStringList before = filesIn(fresh.dir.path());
        for (const Store::CheckDepth depth : {Store::CheckDepth::Shape, Store::CheckDepth::Whole}) {
            const Store::OpenResult checked = Store::checkBackupFile(fresh.path, depth);
            QVERIFY2(int(checked.status) == status, qPrintable(QStringLiteral("%1: %2").arg(int(checked.status)).arg(checked.detail)));
            QVERIFY(!checked.detail.isEmpty());
        }
        QCOMPARE(filesIn(fresh.dir.path()), before);
    }

    // A database kept with a write-ahead log is read without making side files.
    void checkMakesNoSideFiles()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QVERIFY(execOn(fresh.path, {QStringLiteral("PRAGMA journal_mode=WAL")}));
        QCOMPARE(filesIn(fresh.dir.path()), QStringList{QStringLiteral("DBQORV.mdb")});
        QCOMPARE(Store::checkBackupFile(fresh.path, Store::CheckDepth::Whole).status, Store::OpenStatus::Opened);
        QCOMPARE(filesIn(fresh.dir.path()), QStringList{QStringLiteral("DBQORV.mdb")});
    }

    // Opening the database removes what an earlier run left beside it.
    void startRemovesLeftovers()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        const QStringList leftovers{QStringLiteral(".quorvel-x1Y2z3.partial"), QStringLiteral("DBQORV.mdb.restore"),
                                    QStringLiteral("DBQORV.mdb-wal"), QStringLiteral("DBQORV.mdb-shm")};
        for (const QString &name : leftovers)
            QVERIFY(writeFile(fresh.dir.filePath(name), QByteArray(4096, 'l')));
        QCOMPARE(Store::openDatabase(fresh.path).status, Store::OpenStatus::Opened);
        Store::closeDatabase();
        QCOMPARE(filesIn(fresh.dir.path()), QStringList{QStringLiteral("DBQORV.mdb")});
    }

    // While the store waits for a file another program holds, no event of
    // the program runs: a timer due meanwhile cannot start a second store call.
    void busyWaitRunsNoEvents()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QCOMPARE(Store::openDatabase(fresh.path).status, Store::OpenStatus::Opened);
        Store::setBusyWait(300);
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        other.setDatabaseName(fresh.path);
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        bool timerRan = false;
        RecordSet inner(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        QTimer::singleShot(0, this, [&] {
            timerRan = true;
            (void)inner.open();
        });
        RecordSet outer(QStringLiteral("Adodc1"), QStringLiteral("ide"));
        const bool opened = outer.open();
        const bool ranDuringTheWait = timerRan;
        QCOMPARE(outer.failure(), StoreFailure::Busy);
        QVERIFY(!opened);
        QVERIFY(!ranDuringTheWait);
        QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
        QTRY_VERIFY(timerRan);
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        Store::setBusyWait(3000);
        Store::closeDatabase();
    }

    // A lock another program holds when a transaction commits is "busy", not a generic refusal.
    void lockAtCommitIsBusy()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QCOMPARE(Store::openDatabase(fresh.path).status, Store::OpenStatus::Opened);
        Store::setBusyWait(300);
        RecordSet subjects(QStringLiteral("Adodc3"), QStringLiteral("ide"));
        QVERIFY(subjects.open() && subjects.addNew() && subjects.setField(QStringLiteral("Code"), QStringLiteral("7"))
                && subjects.commit());
        {
            QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
            reader.setDatabaseName(fresh.path);
            QVERIFY(reader.open());
            QSqlQuery hold(reader);
            QVERIFY(hold.exec(QStringLiteral("BEGIN")) && hold.exec(QStringLiteral("SELECT * FROM \"ide\"")) && hold.next());
            QVERIFY(subjects.refresh());
            Transaction transaction{&subjects};
            QVERIFY(subjects.deleteCurrent());
            QVERIFY(!transaction.commit());
            QCOMPARE(transaction.failure(), StoreFailure::Busy);
            hold.finish();
            QSqlQuery(reader).exec(QStringLiteral("ROLLBACK"));
            reader.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
        Store::setBusyWait(3000);
        QVERIFY(subjects.refresh());
        QCOMPARE(subjects.count(), 1);
        Store::closeDatabase();
    }

    // The rows a grid shows keep Qt's model rules through every change of
    // the set. (Fewer rows than one fetch: Qt 6.4's model tester reads rows
    // while a lazily fetching SQL model inserts them, and fails even a plain
    // QSqlQueryModel; fetching as the view scrolls is tested on its own.)
    void rowsViewKeepsTheModelRules()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QCOMPARE(Store::openDatabase(fresh.path).status, Store::OpenStatus::Opened);
        QVERIFY(addSubjects(200, [](int i) { return StoredSubject{.code = QString::number(i + 1), .group = QStringLiteral("A")}; }));
        RecordSet subjects(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        QAbstractItemModel *view = subjects.view();
        QAbstractItemModelTester tester(view, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(subjects.open());
        QCOMPARE(view->rowCount(), 200);
        QVERIFY(subjects.filterBy(QStringLiteral("Code"), QStringLiteral("5")));
        QCOMPARE(view->rowCount(), 1);
        QVERIFY(subjects.refresh());
        QVERIFY(subjects.addNew() && subjects.setField(QStringLiteral("Code"), QStringLiteral("new")));
        QCOMPARE(view->rowCount(), 201);
        QVERIFY(subjects.commit());
        QVERIFY(subjects.filterBy(QStringLiteral("Code"), QStringLiteral("7")) && subjects.deleteCurrent());
        QCOMPARE(view->rowCount(), 0);
        QVERIFY(subjects.refresh());
        QCOMPARE(view->rowCount(), 200);
        Store::closeDatabase();
        QCOMPARE(view->rowCount(), 0);
    }

    // Closing the connection under open record sets: they let go of it (no
    // "still in use"), show nothing, and refuse every use as closed.
    void recordSetsLetGoOfAClosingConnection()
    {
        FreshDatabase fresh;
        QVERIFY(fresh.ok);
        QCOMPARE(Store::openDatabase(fresh.path).status, Store::OpenStatus::Opened);
        RecordSet items(QStringLiteral("Adodc1"), QStringLiteral("QU"));
        QVERIFY(items.open());
        QAbstractItemModel *view = items.view();
        QCOMPARE(view->rowCount(), 20);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
        Store::closeDatabase();
        QVERIFY(items.isClosed());
        QCOMPARE(items.count(), 0);
        QCOMPARE(view->rowCount(), 0);
        QVERIFY(!items.field(QStringLiteral("Q")).isValid());
        QVERIFY(!items.refresh());
        QCOMPARE(items.failure(), StoreFailure::Closed);
        QVERIFY(!items.addNew());
        QCOMPARE(items.failure(), StoreFailure::Closed);
        Transaction transaction{&items};
        QVERIFY(!transaction.isActive());
        QCOMPARE(transaction.failure(), StoreFailure::Closed);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
