// Several workstations on one PostgreSQL server, each a process of its own
// driven through the real windows (the desk program), and a server that goes
// away in the middle of a save. Runs only with a test server.
#include "app/frm1.h"
#include "backup/backupdatabase.h"
#include "backup/restore.h"
#include "registry/registrytext.h"
#include "store/database.h"
#include "store/engine.h"
#include "store/serverengine.h"
#include "store/storeaddress.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString kDesk = QStringLiteral(QUORVEL_TEST_DESK);

struct Desk {
    QProcess process;
    QString output;
    void start(const QStringList &arguments)
    {
        process.start(kDesk, arguments);
    }
    // Reads what the desk printed until the line appears or it ends.
    bool waitForLine(const QString &line, int timeoutMs = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!output.contains(line) && clock.elapsed() < timeoutMs) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAllStandardOutput());
            if (process.state() == QProcess::NotRunning) {
                output += QString::fromUtf8(process.readAllStandardOutput());
                break;
            }
        }
        return output.contains(line);
    }
    bool finish()
    {
        const bool ended = process.waitForFinished(30000);
        output += QString::fromUtf8(process.readAllStandardOutput());
        return ended && process.exitCode() == 0;
    }
};

int rows(ProgramFolder &folder, const char *table, const QString &code)
{
    return folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = '%2'").arg(QLatin1String(table), code)).toInt();
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QString serverScript()
{
    return QStringLiteral(QUORVEL_SERVER_SCRIPT);
}

// A server of the test's own, to stop and start as it pleases.
struct OwnServer {
    QTemporaryDir folder{QStringLiteral("/tmp/quorvel-pgown-XXXXXX")};
    QString dir = folder.path() + QStringLiteral("/s");
    bool start(const QString &settings = {})
    {
        // The server's own user must reach its folder inside this one.
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup
                                                 | QFile::ExeOther);
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVEL_PG_OPTIONS"), settings);
        script.setProcessEnvironment(environment);
        script.start(QStringLiteral("sh"), {serverScript(), QStringLiteral("start"), dir});
        return script.waitForFinished(120000) && script.exitCode() == 0;
    }
    int run(const char *action, const QString &mode = {}) const
    {
        QStringList arguments{serverScript(), QString::fromLatin1(action), dir};
        if (!mode.isEmpty())
            arguments << mode;
        return QProcess::execute(QStringLiteral("sh"), arguments);
    }
    QString url() const { return QStringLiteral("postgresql://quorvel@localhost/postgres?host=") + dir; }
    ~OwnServer() { run("stop"); }
};

// A desk in session mode: one command at a time on its standard input.
struct SessionDesk : Desk {
    bool begin(const QString &url)
    {
        start({url, QStringLiteral("session"), QStringLiteral("-")});
        return waitForLine(QStringLiteral("READY"));
    }
    // Sends the command and returns what the desk printed for it.
    QString say(const QString &command)
    {
        const qsizetype from = output.size();
        process.write((command + u'\n').toUtf8());
        QElapsedTimer clock;
        clock.start();
        static const QRegularExpression ending(QStringLiteral("(SAVED|KEPT|OPENED|NOTHING|UNKNOWN) [^\n]*\n"));
        while (!ending.match(output, from).hasMatch() && clock.elapsed() < 60000
               && process.state() == QProcess::Running) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAllStandardOutput());
        }
        return output.mid(from);
    }
    bool end()
    {
        process.closeWriteChannel();
        return finish();
    }
};

// Runs sql on the server at url; the first value of its first row, or -1
// when it gave none. *ran tells whether it ran at all.
int countOnServer(const QString &url, const QString &sql, bool *ran = nullptr)
{
    Store::ServerAddress address;
    QString error;
    if (!Store::parseServerUrl(url, &address, &error))
        return -1;
    int value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("checking"));
        Store::configureServerConnection(db, address);
        QSqlQuery query(db);
        const bool done = db.open() && query.exec(sql);
        if (ran)
            *ran = done;
        if (done && query.next())
            value = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("checking"));
    return value;
}

}  // namespace

class TestDesks : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!ProgramFolder::onServer())
            QSKIP("runs against the test server only");
    }

    // Two desks save the same code at the same moment: one subject is stored
    // whole, the other desk is told the code is taken and keeps its entries.
    void sameCodeFromTwoDesksStoresOneSubject()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QTemporaryDir flags;
        const QString go = flags.filePath(QStringLiteral("go"));
        Desk first;
        Desk second;
        first.start({folder.serverUrl(), QStringLiteral("register"), QStringLiteral("500"), go});
        second.start({folder.serverUrl(), QStringLiteral("register"), QStringLiteral("500"), go});
        QVERIFY2(first.waitForLine(QStringLiteral("READY")), qPrintable(first.output));
        QVERIFY2(second.waitForLine(QStringLiteral("READY")), qPrintable(second.output));
        touch(go);
        QVERIFY2(first.finish(), qPrintable(first.output));
        QVERIFY2(second.finish(), qPrintable(second.output));

        QCOMPARE(rows(folder, "ide", QStringLiteral("500")), 1);
        QCOMPARE(rows(folder, "Answer", QStringLiteral("500")), 1);
        const QString both = first.output + second.output;
        QCOMPARE(both.count(QStringLiteral("PANEL_CLOSED 500")), 1);
        QCOMPARE(both.count(QStringLiteral("PANEL_OPEN 500")), 1);
        QCOMPARE(both.count(RegistryText::DuplicateCode), 1);
    }

    // A subject deleted at one desk while another desk is answering its test:
    // the next answer is refused as gone, and nothing is written back.
    void deletionDuringAnotherDesksTest()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(addSubjects({{.code = QStringLiteral("600"), .firstName = QStringLiteral("a"), .lastName = QStringLiteral("b"),
                              .group = QStringLiteral("A"), .answers = QStringList()}}));
        QTemporaryDir flags;
        const QString ready = flags.filePath(QStringLiteral("ready"));
        const QString go = flags.filePath(QStringLiteral("go"));
        Desk answering;
        answering.start({folder.serverUrl(), QStringLiteral("answer"), QStringLiteral("600"), ready, go});
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(ready) && clock.elapsed() < 30000 && answering.process.state() != QProcess::NotRunning)
            QTest::qWait(20);
        QVERIFY2(QFile::exists(ready), qPrintable(answering.output + QString::fromUtf8(answering.process.readAll())));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"1\" || \"2\" || \"3\" FROM \"Answer\" WHERE \"Code\" = '600'")).toString(),
                 QStringLiteral("321"));

        Desk deleting;
        deleting.start({folder.serverUrl(), QStringLiteral("delete"), QStringLiteral("600")});
        QVERIFY2(deleting.finish(), qPrintable(deleting.output));
        QCOMPARE(rows(folder, "ide", QStringLiteral("600")), 0);
        touch(go);
        QVERIFY2(answering.finish(), qPrintable(answering.output));
        QVERIFY2(answering.output.contains(QStringLiteral("این ردیف دیگر در بانک اطلاعات نیست")), qPrintable(answering.output));
        QCOMPARE(rows(folder, "ide", QStringLiteral("600")), 0);
        QCOMPARE(rows(folder, "Answer", QStringLiteral("600")), 0);
    }

    // The server stops during a save: the save is refused with its cause and
    // the entries stay; once the server is back, the same save works.
    void serverStoppedDuringASave()
    {
        OwnServer server;
        QVERIFY(server.start());
        Store::ServerAddress address;
        QString error;
        QVERIFY(Store::parseServerUrl(server.url(), &address, &error));
        QCOMPARE(Store::openServerDatabase(address).status, Store::OpenStatus::Opened);
        {
            ScriptedPrompts scripted;
            Frm1 window;
            window.show();
            click(window, "Command1");
            control<QLineEdit>(window, "Text11")->setText(QStringLiteral("700"));
            for (const char *box : {"Text6", "Text4", "Text7"})
                control<QLineEdit>(window, box)->setText(QStringLiteral("میز"));
            control<QLineEdit>(window, "Text5")->setText(QStringLiteral("30"));
            for (const char *list : {"Combo1", "Combo2", "Combo3"})
                control<QComboBox>(window, list)->setCurrentIndex(0);

            QCOMPARE(server.run("stop-only"), 0);
            scripted.expectMessage();
            click(window, "Command8");
            QVERIFY2(scripted.shown().last().text.contains(QStringLiteral("ارتباط با سرور")), qPrintable(scripted.shown().last().text));
            QVERIFY(control(window, "Frame10")->isVisible());
            QCOMPARE(control<QLineEdit>(window, "Text11")->text(), QStringLiteral("700"));

            QCOMPARE(server.run("start-again"), 0);
            click(window, "Command8");
            QVERIFY(!control(window, "Frame10")->isVisible());
        }
        QSqlQuery count(Store::database());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM \"ide\" WHERE \"Code\" = '700'")) && count.next());
        QCOMPARE(count.value(0).toInt(), 1);
        count.finish();
        Store::closeDatabase();
    }

    // Two desks through every way a server ends their connections: a save
    // while it is down is refused with the cause and keeps what was typed;
    // the very first read and save once it is back work, at both desks.
    void firstSaveAfterTheServerIsBack_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("down");
        QTest::newRow("fast stop") << QStringLiteral("fast") << true;
        QTest::newRow("smart stop") << QStringLiteral("smart") << true;
        QTest::newRow("immediate stop") << QStringLiteral("immediate") << true;
        QTest::newRow("restart") << QStringLiteral("restart") << false;
        QTest::newRow("pg_terminate_backend") << QStringLiteral("terminate") << false;
    }
    void firstSaveAfterTheServerIsBack()
    {
        QFETCH(QString, how);
        QFETCH(bool, down);
        OwnServer server;
        // A smart stop waits for every session to end: idle ones end after a second.
        QVERIFY(server.start(how == QLatin1String("smart") ? QStringLiteral("-c idle_session_timeout=1000") : QString()));
        SessionDesk desks[2];
        for (SessionDesk &desk : desks)
            QVERIFY2(desk.begin(server.url()), qPrintable(desk.output));
        for (int d = 0; d < 2; ++d)
            QVERIFY2(desks[d].say(QStringLiteral("register 1%1").arg(d)).contains(QStringLiteral("SAVED 1%1").arg(d)),
                     qPrintable(desks[d].output));
        if (down) {
            QCOMPARE(server.run("stop-only", how), 0);
            for (int d = 0; d < 2; ++d) {
                const QString said = desks[d].say(QStringLiteral("register 2%1").arg(d));
                QVERIFY2(said.contains(QStringLiteral("KEPT 2%1").arg(d)), qPrintable(said));
                QVERIFY2(said.contains(QStringLiteral("MESSAGE ارتباط با سرور")), qPrintable(said));
            }
            QCOMPARE(server.run("start-again"), 0);
        } else {
            QCOMPARE(server.run(how.toLatin1().constData()), 0);
        }
        // The second desk's first action once the server is back is a read.
        const QString looked = desks[1].say(QStringLiteral("lookup"));
        QVERIFY2(looked.contains(QStringLiteral("OPENED lookup")) && !looked.contains(QStringLiteral("MESSAGE")), qPrintable(looked));
        for (int d = 0; d < 2; ++d) {
            const QString said = desks[d].say(QStringLiteral("register 2%1").arg(d));
            QVERIFY2(said.contains(QStringLiteral("SAVED 2%1").arg(d)) && !said.contains(QStringLiteral("MESSAGE")),
                     qPrintable(said));
        }
        for (SessionDesk &desk : desks)
            QVERIFY2(desk.end(), qPrintable(desk.output));
        QCOMPARE(countOnServer(server.url(), QStringLiteral("SELECT COUNT(*) FROM \"ide\" WHERE \"Code\" IN ('10', '11', '20', '21')")), 4);
        QCOMPARE(countOnServer(server.url(), QStringLiteral("SELECT COUNT(*) FROM \"Answer\"")), 4);
    }

    // Four desks started at once on an empty database, several times over:
    // one makes it ours, the others wait for it, and every one opens.
    void desksStartedTogetherOnAnEmptyDatabaseAllOpen()
    {
        OwnServer server;
        QVERIFY(server.start());
        for (int round = 1; round <= 8; ++round) {
            const QString database = QStringLiteral("clinic%1").arg(round);
            bool made = false;
            countOnServer(server.url(), QStringLiteral("CREATE DATABASE %1").arg(database), &made);
            QVERIFY(made);
            const QString url = QString(server.url()).replace(QStringLiteral("/postgres?"), QLatin1Char('/') + database + u'?');
            SessionDesk desks[4];
            for (SessionDesk &desk : desks)
                desk.start({url, QStringLiteral("session"), QStringLiteral("-")});
            for (SessionDesk &desk : desks)
                QVERIFY2(desk.waitForLine(QStringLiteral("READY")), qPrintable(desk.output));
            for (SessionDesk &desk : desks)
                QVERIFY2(desk.end(), qPrintable(desk.output));
            QCOMPARE(countOnServer(url, QStringLiteral("SELECT COUNT(*) FROM \"QU\"")), 20);
        }
    }

    // A desk that started while the server held no subject opens the test,
    // keying and lookup for one another desk has registered since.
    void subjectsFromAnotherDeskAreSeenAtTheClick()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        SessionDesk late;
        SessionDesk registering;
        QVERIFY2(late.begin(folder.serverUrl()), qPrintable(late.output));
        QVERIFY2(late.say(QStringLiteral("lookup")).contains(QStringLiteral("NOTHING lookup")), qPrintable(late.output));
        QVERIFY2(registering.begin(folder.serverUrl()), qPrintable(registering.output));
        QVERIFY2(registering.say(QStringLiteral("register 800")).contains(QStringLiteral("SAVED 800")), qPrintable(registering.output));
        QVERIFY2(late.say(QStringLiteral("test 800")).contains(QStringLiteral("OPENED test 800")), qPrintable(late.output));
        QVERIFY2(late.say(QStringLiteral("keying")).contains(QStringLiteral("OPENED keying")), qPrintable(late.output));
        QVERIFY2(late.say(QStringLiteral("lookup")).contains(QStringLiteral("OPENED lookup")), qPrintable(late.output));
        QVERIFY2(registering.end(), qPrintable(registering.output));
        QVERIFY2(late.end(), qPrintable(late.output));
    }

    // A clinic's file moved onto the server and copied back gives the same
    // rows, NULLs and all; a target that already holds subjects is refused
    // and left as it was.
    void copyDatabaseFileToServerAndBack()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QTemporaryDir files;
        const QString original = files.filePath(QStringLiteral("clinic.mdb"));
        QVERIFY(Store::createDatabase(original));
        const auto rowsOf = [](const QString &path) {
            QStringList rows;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("compare"));
                db.setDatabaseName(path);
                if (db.open()) {
                    QSqlQuery query(db);
                    for (const char *sql : {"SELECT * FROM ide ORDER BY Code", "SELECT * FROM Answer ORDER BY Code",
                                            "SELECT * FROM QU ORDER BY code", "SELECT * FROM Theme"}) {
                        query.exec(QString::fromLatin1(sql));
                        while (query.next()) {
                            QStringList values;
                            for (int i = 0; i < query.record().count(); ++i)
                                values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
                            rows << values.join(u'|');
                        }
                    }
                    QSqlQuery(db).exec(QStringLiteral("SELECT 1"));
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("compare"));
            return rows;
        };
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(original);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("UPDATE Theme SET TH = '7', Name = 'درمانگاه ''نمونه''', Adress = NULL")));
            QVERIFY(query.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
                                              "INSERT INTO ide (Code, FName, LName, \"Group\", Nomre) SELECT 'c' || i, 'نام ' || i, "
                                              "CASE WHEN i % 5 = 0 THEN NULL ELSE 'خانواده' END, 'B', CASE WHEN i % 3 = 0 THEN NULL ELSE i % 80 END FROM n")));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO Answer (Code, \"1\", \"20\") SELECT Code, '4', ' 2 ' FROM ide")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        const QStringList before = rowsOf(original);
        QCOMPARE(before.size(), 300 + 300 + 20 + 1);

        const QString program = qEnvironmentVariable("QUORVEL_PROGRAM_TEMPLATE") + QStringLiteral("/quorvel");
        const auto copy = [&](const QString &from, const QString &to) {
            QProcess run;
            run.start(program, {QStringLiteral("--copy-database"), from, to});
            run.waitForFinished(60000);
            return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
        };
        QCOMPARE(copy(original, folder.serverUrl()), 0);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 300);
        const QString back = files.filePath(QStringLiteral("back.mdb"));
        QCOMPARE(copy(folder.serverUrl(), back), 0);
        QCOMPARE(rowsOf(back), before);

        // Neither target is touched when it is not empty.
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"ide\" SET \"Nomre\" = '99' WHERE \"Code\" = 'c1'")));
        QVERIFY(copy(original, folder.serverUrl()) > 0);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"Nomre\" FROM \"ide\" WHERE \"Code\" = 'c1'")).toString(), QStringLiteral("99"));
        QVERIFY(copy(folder.serverUrl(), back) > 0);
        QCOMPARE(rowsOf(back), before);
    }

    // A backup of the server is a whole file of the program; restoring it
    // puts every row back. A restore killed half-way leaves the server with
    // all of its old rows or all of the backup's, never a mixture.
    void backupAndRestoreOnTheServer()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        const auto subjects = [&](int count, const QString &prefix) {
            return folder.exec(QStringLiteral("DELETE FROM \"Answer\"")) && folder.exec(QStringLiteral("DELETE FROM \"ide\""))
                   && addSubjects(count, [&prefix](int i) {
                          return StoredSubject{.code = prefix + QString::number(i + 1), .firstName = QStringLiteral("نام"),
                                         .group = QStringLiteral("A"), .answers = QStringList{QStringLiteral("3")}};
                      });
        };
        const auto state = [&] {
            return folder.scalar(QStringLiteral("SELECT COUNT(*) || ' ' || MIN(\"Code\") || ' ' || "
                                                "(SELECT COUNT(*) FROM \"Answer\") FROM \"ide\"")).toString();
        };
        QVERIFY(subjects(40000, QStringLiteral("b")));
        QTemporaryDir files;
        const QString backup = files.filePath(QStringLiteral("shared.mdbB"));
        QString error;
        QVERIFY2(Backup::backupStore(backup, &error), qPrintable(error));
        QCOMPARE(Store::checkDatabaseFile(backup).status, Store::OpenStatus::Opened);
        const QString backedUp = state();
        QCOMPARE(backedUp, QStringLiteral("40000 b1 40000"));

        QVERIFY(subjects(3, QStringLiteral("n")));
        const QString changed = state();
        QCOMPARE(changed, QStringLiteral("3 n1 3"));
        // Killed at several moments of the copy: each time one whole state or the other.
        bool sawOld = false;
        for (int delay : {50, 150, 400}) {
            Desk restoring;
            restoring.start({folder.serverUrl(), QStringLiteral("restore"), backup});
            QTest::qWait(delay);
            restoring.process.kill();
            restoring.process.waitForFinished(10000);
            QTest::qWait(200);  // the server ends the dead connection's transaction
            const QString now = state();
            QVERIFY2(now == changed || now == backedUp, qPrintable(now));
            if (now == backedUp)
                QVERIFY(subjects(3, QStringLiteral("n")));
            else
                sawOld = true;
        }
        QVERIFY(sawOld);
        QVERIFY2(Backup::restoreStore(backup, &error), qPrintable(error));
        QCOMPARE(state(), backedUp);
        // The program's own connection works on the restored rows.
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"1\" FROM \"Answer\" WHERE \"Code\" = 'b7'")).toString(), QStringLiteral("3"));
    }

    // A backup of the server goes through the same safe replacement as the
    // file's: a pipe or a device at the target is refused by name and kept.
    void serverBackupRefusesSpecialFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("pipe") << QStringLiteral("fifo") << QStringLiteral("FIFO");
        QTest::newRow("device") << QStringLiteral("/dev/null") << QStringLiteral("دستگاه");
    }
    void serverBackupRefusesSpecialFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(addSubjects(3, [](int i) { return StoredSubject{.code = QString::number(i + 1), .group = QStringLiteral("A")}; }));
        QTemporaryDir files;
        QString target = kind;
        if (kind == QLatin1String("fifo")) {
            target = files.filePath(QStringLiteral("shared.mdbB"));
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        }
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &before), 0);
        QString error;
        QVERIFY(!Backup::backupStore(target, &error));
        QVERIFY2(error.contains(named), qPrintable(error));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_rdev, before.st_rdev);
    }

    // Two restores into the server at once: the second, and a backup asked
    // for meanwhile, wait their while and are told another desk is
    // restoring; the first restores every row.
    void oneRestoreAtATimeOnTheServer()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(addSubjects(40000, [](int i) {
            return StoredSubject{.code = QStringLiteral("r") + QString::number(i + 1), .group = QStringLiteral("A"),
                                 .answers = QStringList{QStringLiteral("2")}};
        }));
        QTemporaryDir files;
        const QString backup = files.filePath(QStringLiteral("shared.mdbB"));
        QString error;
        QVERIFY2(Backup::backupStore(backup, &error), qPrintable(error));
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM \"Answer\" WHERE \"Code\" > 'r2'")));
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM \"ide\" WHERE \"Code\" > 'r2'")));

        Desk first;
        first.start({folder.serverUrl(), QStringLiteral("restore"), backup});
        QElapsedTimer clock;
        clock.start();
        // The restore holds the program's tables against other writers until it commits.
        const QString held = QStringLiteral("SELECT COUNT(*) FROM pg_locks l JOIN pg_class c ON c.oid = l.relation "
                                            "WHERE c.relname = 'ide' AND l.mode = 'ShareRowExclusiveLock' AND l.granted");
        while (folder.scalar(held).toInt() == 0 && clock.elapsed() < 30000 && first.process.state() != QProcess::NotRunning)
            QTest::qWait(10);
        QVERIFY2(folder.scalar(held).toInt() > 0, qPrintable(first.output));

        Store::setBusyWait(300);
        clock.restart();
        QVERIFY(!Backup::restoreStore(backup, &error));
        QCOMPARE(error, Backup::AnotherDeskRestoring);
        QVERIFY(clock.elapsed() >= 300);
        const QString second = files.filePath(QStringLiteral("during.mdbB"));
        QVERIFY(!Backup::backupStore(second, &error));
        QCOMPARE(error, Backup::AnotherDeskRestoring);
        QVERIFY(!QFile::exists(second));
        Store::setBusyWait(3000);

        QVERIFY2(first.finish(), qPrintable(first.output));
        QVERIFY2(!first.output.contains(QStringLiteral("MESSAGE")), qPrintable(first.output));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 40000);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Answer\"")).toInt(), 40000);
    }

    // A server's backup and restore tell how many rows they copied and can be
    // stopped there: a stopped backup leaves no file, a stopped restore leaves
    // every row of the server as it was.
    void stoppedServerCopiesChangeNothing()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        const auto fill = [&](int count, const QString &prefix) {
            return folder.exec(QStringLiteral("DELETE FROM \"Answer\"")) && folder.exec(QStringLiteral("DELETE FROM \"ide\""))
                   && addSubjects(count, [&prefix](int i) {
                          return StoredSubject{.code = prefix + QString::number(i + 1), .group = QStringLiteral("B"),
                                               .answers = QStringList{QStringLiteral("2")}};
                      });
        };
        const auto state = [&] {
            return folder.scalar(QStringLiteral("SELECT COUNT(*) || ' ' || MIN(\"Code\") FROM \"ide\"")).toString();
        };
        QVERIFY(fill(5000, QStringLiteral("s")));
        QTemporaryDir files;
        const QString backup = files.filePath(QStringLiteral("stopped.mdbB"));
        QList<qint64> told;
        const auto stopAtSecond = [&told](qint64 done, qint64 total) {
            if (total != Store::kRowsCopied)
                return true;
            told << done;
            return told.size() < 2;
        };
        QString error;
        bool cancelled = false;
        QVERIFY(!Backup::backupStore(backup, &error, stopAtSecond, nullptr, &cancelled));
        QVERIFY2(cancelled, qPrintable(error));
        QCOMPARE(told, (QList<qint64>{1000, 2000}));
        QCOMPARE(QDir(files.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        QVERIFY2(Backup::backupStore(backup, &error), qPrintable(error));
        QVERIFY(fill(3, QStringLiteral("n")));
        told.clear();
        Backup::RestoreFailure failure = Backup::RestoreFailure::None;
        QVERIFY(!Backup::restoreStore(backup, &error, stopAtSecond, &failure));
        QCOMPARE(failure, Backup::RestoreFailure::Cancelled);
        QCOMPARE(state(), QStringLiteral("3 n1"));
        QVERIFY2(Backup::restoreStore(backup, &error), qPrintable(error));
        QCOMPARE(state(), QStringLiteral("5000 s1"));
    }
};

QObject *makeTestDesks()
{
    return new TestDesks;
}

#include "tst_desks.moc"
