#include "causes/causes.h"
#include "store/database.h"
#include "app/frm1text.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"
#include "app/singleinstance.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Whether text holds Latin letters besides the names it shows on purpose.
bool hasLatinBesides(QString text, const QStringList &shown)
{
    for (const QString &name : shown)
        text.remove(name);
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

}  // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyIsRefused()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("quorvel.lock"));
        SingleInstance first(lock);
        QVERIFY(first.acquire());
        ScriptedPrompts scripted;
        SingleInstance second(lock);
        scripted.expectMessage();
        QVERIFY(RefuseSecondCopy(second));
        QCOMPARE(scripted.shown().size(), 1);
        QCOMPARE(scripted.shown().first().text, QStringLiteral("برنامه در حال اجراست"));
        QCOMPARE(scripted.shown().first().caption, QStringLiteral("Warnnig"));
        QCOMPARE(scripted.shown().first().icon, Prompts::Icon::Information);
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    // The lock lives beside the database: copies started with different
    // temporary folders still meet there, and nothing in a shared
    // temporary folder can keep the program from starting.
    void lockLivesBesideTheDatabase()
    {
        ProgramFolder folder;
        QTemporaryDir firstTemp;
        QTemporaryDir secondTemp;
        const QByteArray previous = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(firstTemp.path()));
        SingleInstance first;
        const bool firstRuns = first.acquire();
        qputenv("TMPDIR", QFile::encodeName(secondTemp.path()));
        SingleInstance second;
        const bool secondRuns = second.acquire();
        qputenv("TMPDIR", previous);
        QVERIFY(firstRuns);
        QVERIFY(!secondRuns);
        QCOMPARE(QFileInfo(SingleInstance::defaultLockPath()).absolutePath(),
                 QFileInfo(folder.databasePath()).absolutePath());
        QCOMPARE(QFileInfo(SingleInstance::defaultLockPath()).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(QDir(firstTemp.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(QDir(secondTemp.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Whatever someone else leaves in the shared temporary folder, under any
    // name a lock of ours could have there, never keeps the program from starting.
    void lockInTheTemporaryFolderDoesNotBlock_data()
    {
        QTest::addColumn<bool>("heldByALiveCopy");
        QTest::newRow("a file of someone else's making") << false;
        QTest::newRow("a lock held by a running process") << true;
    }
    void lockInTheTemporaryFolderDoesNotBlock()
    {
        QFETCH(bool, heldByALiveCopy);
        ProgramFolder folder;
        QTemporaryDir shared;
        const QByteArray previous = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        std::vector<std::unique_ptr<QLockFile>> held;
        for (const QString &name : {QStringLiteral("quorvel-%1.lock").arg(getuid()), QStringLiteral("quorvel.lock")}) {
            const QString path = QDir(QDir::tempPath()).filePath(name);
            if (heldByALiveCopy) {
                held.push_back(std::make_unique<QLockFile>(path));
                QVERIFY(held.back()->tryLock(0));
            } else {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("taken\n");
            }
        }
        ScriptedPrompts scripted;
        SingleInstance instance;
        const bool refused = RefuseSecondCopy(instance);
        qputenv("TMPDIR", previous);
        QVERIFY(!refused);
        QVERIFY(scripted.shown().isEmpty());
    }

    // Before a fresh database is offered, the lock makes the database's
    // folder, private to its owner, and the fresh database goes beside it.
    void lockMakesTheMissingDatabaseFolderPrivate()
    {
        ProgramFolder folder(false);
        const QString databaseFolder = QFileInfo(folder.databasePath()).absolutePath();
        QVERIFY(QDir(databaseFolder).removeRecursively());
        SingleInstance instance;
        QVERIFY(instance.acquire());
        QVERIFY(QFileInfo(databaseFolder).isDir());
        QCOMPARE(QFileInfo(databaseFolder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(QFileInfo::exists(QDir(databaseFolder).filePath(QStringLiteral("quorvel.lock"))));
        ScriptedPrompts scripted;
        scripted.expectQuestion(true);
        QVERIFY(OpenProgramDatabase());
        QVERIFY(QFileInfo::exists(folder.databasePath()));
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void lockLeftByADeadCopyDoesNotBlock()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("quorvel.lock"));
        const pid_t child = fork();
        if (child == 0) {
            QLockFile held(lock);
            held.tryLock(0);
            _exit(held.isLocked() ? 0 : 1);  // dies holding the lock, as a crash would
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(lock));
        ScriptedPrompts scripted;
        SingleInstance next(lock);
        QVERIFY(!RefuseSecondCopy(next));
        QVERIFY(scripted.shown().isEmpty());
    }

    void missingDatabaseIsOfferedFresh_data()
    {
        QTest::addColumn<bool>("create");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void missingDatabaseIsOfferedFresh()
    {
        QFETCH(bool, create);
        ProgramFolder folder(false);
        QVERIFY(QFile::remove(folder.databasePath()));
        ScriptedPrompts scripted;
        scripted.expectQuestion(create);
        QCOMPARE(OpenProgramDatabase(), create);
        QCOMPARE(scripted.shown().size(), 1);
        QVERIFY(scripted.shown().first().text.contains(QDir::toNativeSeparators(folder.databasePath())));
        QCOMPARE(QFile::exists(folder.databasePath()), create);
        QCOMPARE(Store::database().isOpen(), create);
        if (create)
            QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"QU\"")).toInt(), 20);
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void foreignFileIsLeftAloneAndTheProgramEnds()
    {
        ProgramFolder folder(false);
        QVERIFY(QFile::remove(folder.databasePath()));
        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a database of ours");
        file.close();
        ScriptedPrompts scripted;
        scripted.expectMessage();
        QVERIFY(!OpenProgramDatabase());
        QCOMPARE(scripted.shown().first().caption, QStringLiteral("خطا"));
        QCOMPARE(scripted.shown().first().icon, Prompts::Icon::Critical);
        QVERIFY(scripted.shown().first().text.contains(QDir::toNativeSeparators(folder.databasePath())));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not a database of ours"));
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    // quorvel.conf names a server with a password in a malformed address: the
    // start-up message names the address without it, and the file's database is not opened.
    void serverAddressIsShownWithoutItsPassword()
    {
        ProgramFolder folder(false);
        QSettings(QDir::current().filePath(QStringLiteral("quorvel.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("store/url"), QStringLiteral("postgresql://clinic:s3cret@[db.clinic.example/q"));
        ScriptedPrompts scripted;
        scripted.expectMessage();
        QVERIFY(!OpenProgramDatabase());
        const QString shown = scripted.shown().first().text;
        QVERIFY2(shown.contains(QStringLiteral(".pgpass")) && !shown.contains(QStringLiteral("s3cret")), qPrintable(shown));
        QVERIFY(!Store::database().isOpen());
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    // A database of ours that is not whole: named as damaged, with the way back through a backup.
    void damagedDatabaseIsNamedWithTheAdviceToRestore()
    {
        ProgramFolder folder(false);
        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        ScriptedPrompts scripted;
        scripted.expectMessage();
        // SQLite's own words go to the error output only.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: start: .+")));
        QVERIFY(!OpenProgramDatabase());
        const QString text = scripted.messages().value(0);
        QVERIFY2(text.contains(QStringLiteral("آسیب دیده")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Back")));
        QVERIFY2(!hasLatinBesides(text, {QDir::toNativeSeparators(folder.databasePath()), QStringLiteral("Back")}),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("این فایل بانک اطلاعات این برنامه نیست")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == before);
    }

    // A database another program holds when the program starts: the cause is
    // named in Persian, SQLite's words go to the error output.
    void heldDatabaseIsNamedAsBusy()
    {
        ProgramFolder folder(false);
        Store::setBusyWait(200);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(folder.databasePath());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
            ScriptedPrompts scripted;
            scripted.expectMessage();
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: start: database is locked")));
            QVERIFY(!OpenProgramDatabase());
            const QString text = scripted.messages().value(0);
            QVERIFY2(text.contains(Causes::storeCause(StoreFailure::Busy)), qPrintable(text));
            QVERIFY2(!hasLatinBesides(text, {QDir::toNativeSeparators(folder.databasePath())}), qPrintable(text));
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        Store::setBusyWait(3000);
    }

    // A server that refuses the connection at start-up: the cause in Persian,
    // with the address as the only Latin text, also where Qt's own words among
    // the driver's come translated, as the program shows them.
    void unreachableServerIsNamedInPersian()
    {
        ProgramFolder folder(false);
        QTranslator qt;
        const bool translated = qt.load(QLocale(QLocale::Persian), QStringLiteral("qtbase"), QStringLiteral("_"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                                && QCoreApplication::installTranslator(&qt);
        const QString address = QStringLiteral("postgresql://nobody@127.0.0.1:1/none");
        ScriptedPrompts scripted;
        scripted.expectMessage();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: start: .+")));
        QVERIFY(!OpenProgramDatabase(nullptr, Store::PageCheck::AtOpen, address));
        if (translated)
            QCoreApplication::removeTranslator(&qt);
        const QString text = scripted.messages().value(0);
        QVERIFY2(text.contains(address), qPrintable(text));
        QVERIFY2(!hasLatinBesides(text, {address}), qPrintable(text));
        QVERIFY2(text.contains(OpenFailureCause(QStringLiteral("Connection refused"))), qPrintable(text));
    }

    // A file whose header and tables read well but whose pages are not whole:
    // an open that leaves the page check for after the first paint takes it,
    // writes nothing (not even a missing index), and the late check names the
    // damage with the advice to restore; the file stays byte for byte.
    void damageFoundLateIsNamedBeforeAnyWrite()
    {
        ProgramFolder folder;
        QVERIFY(addSubjects(3000, [](int i) {
            return StoredSubject{.code = QString::number(10000 + i), .lastName = QStringLiteral("name"),
                           .answers = QStringList{QString(60, QLatin1Char('x'))}};
        }));
        // A missing index the open would otherwise make: a write the damage must come before.
        QVERIFY(folder.exec(QStringLiteral("DROP INDEX \"ide_Group_LName\"")));
        Store::closeDatabase();
        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 pageSize = 4096;
        QVERIFY(file.size() > 40 * pageSize);
        // Wipe a page near the end, among the answers: the subjects' pages stay readable.
        QVERIFY(file.seek((file.size() / pageSize - 4) * pageSize));
        QVERIFY(file.write(QByteArray(int(pageSize), '\xA5')) == pageSize);
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        ScriptedPrompts scripted;
        QVERIFY(OpenProgramDatabase(nullptr, Store::PageCheck::Later));
        scripted.expectMessage();
        QVERIFY(!CheckProgramDatabasePages());
        const QString text = scripted.messages().value(0);
        QVERIFY2(text.contains(QStringLiteral("آسیب دیده")) && text.contains(QStringLiteral("Back")), qPrintable(text));
        Store::closeDatabase();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == before);
        // Checked at the open, the same file is refused there as before.
        scripted.expectMessage();
        QVERIFY(!OpenProgramDatabase());
        QVERIFY(scripted.messages().value(1).contains(QStringLiteral("آسیب دیده")));
    }

    // A whole file passes the late check and then gets what the open left out.
    void wholeFilePassesTheLateCheck()
    {
        ProgramFolder folder;
        QVERIFY(folder.exec(QStringLiteral("DROP INDEX \"ide_Group_LName\"")));
        Store::closeDatabase();
        ScriptedPrompts scripted;
        QVERIFY(OpenProgramDatabase(nullptr, Store::PageCheck::Later));
        const QString index = QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'ide_Group_LName'");
        QCOMPARE(folder.scalar(index).toInt(), 0);
        QVERIFY(CheckProgramDatabasePages());
        QCOMPARE(folder.scalar(index).toInt(), 1);
        QCOMPARE(scripted.messages(), QStringList());
    }

    void programFolderBecomesTheCurrentFolder()
    {
        const QString before = QDir::currentPath();
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        PrepareApplication();
        const QString now = QDir::currentPath();
        QDir::setCurrent(before);
        QCOMPARE(now, QCoreApplication::applicationDirPath());
        QCOMPARE(QApplication::layoutDirection(), Qt::RightToLeft);
    }
};

QObject *makeTestStartup()
{
    return new TestStartup;
}

#include "tst_startup.moc"
