#include "backup/backuptext.h"
#include "backup/frmbackup.h"
#include "store/database.h"
#include "store/filecheck.h"
#include "store/safefile.h"
#include "support/controls.h"
#include "support/files.h"
#include "support/modalguard.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "support/subjects.h"
#include "ui/clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QProgressDialog>
#include <QTimer>
#include <QThread>
#include <QElapsedTimer>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The rows of a PRAGMA run on the file at path, on a connection of its own.
QStringList pragmaRows(const QString &path, const QString &pragma)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pragma"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA ") + pragma))
                while (query.next())
                    rows << query.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pragma"));
    return rows;
}

// Gives each of two indexes of one shape the other's pages: every page stays
// well formed and the schema reads as ours, but neither index holds its
// table's values any more.
bool swapIndexes(const QString &path, const QString &first, const QString &second)
{
    bool swapped = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("swap"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            // Both pages are read first: an update that read them itself would see its own first change.
            QStringList pages;
            if (query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name IN ('%1', '%2') ORDER BY name = '%2'")
                               .arg(first, second)))
                while (query.next())
                    pages << query.value(0).toString();
            swapped = pages.size() == 2 && query.exec(QStringLiteral("PRAGMA writable_schema = ON"))
                      && query.exec(QStringLiteral("UPDATE sqlite_master SET rootpage = CASE name WHEN '%1' THEN %4 ELSE %3 END "
                                                   "WHERE name IN ('%1', '%2')")
                                        .arg(first, second, pages.at(0), pages.value(1)))
                      && query.numRowsAffected() == 2;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("swap"));
    return swapped;
}

int subjects()
{
    QSqlQuery query(Store::database());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")) && query.next() ? query.value(0).toInt() : -1;
}

struct BackupSession {
    // A copy that lasts (a large database, a busy machine) shows its progress box.
    ExpectProgressBox copying{QStringLiteral("CopyProgress")};
    ProgramFolder folder;
    ScriptedPrompts scripted;
    Frmbackup window;
    QSignalSpy ends{&window, &Frmbackup::programEnds};
    BackupSession() { window.show(); }

    QString database() const { return folder.databasePath(); }
    void type(const char *box, const QString &text) { control<QLineEdit>(window, box)->setText(text); }
    QString lastMessage() const { return scripted.messages().isEmpty() ? QString() : scripted.messages().last(); }
};

// Whether text holds Latin letters besides the names it shows on purpose.
bool hasLatinBesides(QString text, const QStringList &shown)
{
    for (const QString &name : shown)
        text.remove(name);
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

}  // namespace

class TestFrmbackup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::release(); }

    void showsTheDateAndProposesItsName()
    {
        Clock::fixAt(QDateTime(QDate(2014, 7, 24), QTime(9, 5)));
        BackupSession session;
        QCOMPARE(control<QLabel>(session.window, "Label1")->text(), QStringLiteral("1393.5.2"));
        QCOMPARE(control<QLabel>(session.window, "Label2")->text(), QStringLiteral("9.05"));
        // The title as the operator reads it in the title bar.
        QCOMPARE(session.window.windowTitle(), QStringLiteral("Back up ...  Reastor"));
        const QString name = BackupText::NamePrefix + QStringLiteral("1393.5.2") + BackupText::NameTime
                             + QStringLiteral("9.05") + BackupText::NameEnd + QStringLiteral(".mdbB");
        QCOMPARE(name, QStringLiteral("در تاريخ1393.5.2 ساعت)9.05).mdbB"));
        session.scripted.expectSaveFile(QString());
        session.type("Text1", QStringLiteral("/kept/as/typed.mdbB"));
        click(session.window, "b1");
        QCOMPARE(session.scripted.shown().last().text, QDir(session.folder.filePath(QStringLiteral("Back"))).filePath(name));
        // The window asks its own question before replacing; the dialog must not ask again.
        QCOMPARE(session.scripted.shown().last().replace, Prompts::Replace::NoQuestion);
        QCOMPARE(control<QLineEdit>(session.window, "Text1")->text(), QStringLiteral("/kept/as/typed.mdbB"));
        QCOMPARE(Frmbackup::TimeText(QTime(23, 0)), QStringLiteral("23.00"));
    }

    void backupNeedsAPath()
    {
        BackupSession session;
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QCOMPARE(session.lastMessage(), BackupText::NeedBackupPath);
        QCOMPARE(session.scripted.shown().last().caption, BackupText::ErrorCaption);
        QCOMPARE(session.ends.size(), 0);
    }

    void backupCopiesTheDatabaseAndEnds()
    {
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 50));
        const QString target = session.folder.filePath(QStringLiteral("Back/new.mdbB"));
        session.type("Text1", target);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QCOMPARE(session.lastMessage(), BackupText::BackupMade);
        QCOMPARE(readFile(target), readFile(session.database()));
        QCOMPARE(QFileInfo(target).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        QCOMPARE(session.ends.size(), 1);
    }

    // The question is about the path that is written, chosen or typed.
    void existingBackupIsReplacedOnlyAfterYes_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("yes");
        QTest::newRow("chosen, Yes") << true << true;
        QTest::newRow("chosen, No") << true << false;
        QTest::newRow("typed, Yes") << false << true;
        QTest::newRow("typed, No") << false << false;
    }
    void existingBackupIsReplacedOnlyAfterYes()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, yes);
        BackupSession session;
        const QString target = session.folder.filePath(QStringLiteral("Back/old.mdbB"));
        const QByteArray old(3 * 1024 * 1024, 'x');  // longer than the database
        QVERIFY(writeFile(target, old));
        if (chosen) {
            session.scripted.expectSaveFile(target);
            click(session.window, "b1");
        } else {
            session.type("Text1", target);
        }
        session.scripted.expectQuestion(yes);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QCOMPARE(session.scripted.shown().at(chosen ? 1 : 0).text, BackupText::ReplaceQuestion);
        QCOMPARE(readFile(target), yes ? readFile(session.database()) : old);
        QCOMPARE(session.lastMessage(), yes ? BackupText::BackupMade : BackupText::BackupNotMade);
        QCOMPARE(session.ends.size(), yes ? 1 : 0);
    }

    // A chosen path shows with each part isolated, so a Persian name with
    // digits and brackets reads as stored; the backup and the restore use the
    // path itself.
    void persianNamesShowWholeAndAreUsedAsStored()
    {
        BackupSession session;
        const QString name = BackupText::NamePrefix + QStringLiteral("1405.9.19") + BackupText::NameTime
                             + QStringLiteral("16.20") + BackupText::NameEnd + BackupText::Extension;
        const QString target = session.folder.filePath(QStringLiteral("Back/") + name);
        session.scripted.expectSaveFile(target);
        click(session.window, "b1");
        const QString shown = control<QLineEdit>(session.window, "Text1")->text();
        QVERIFY2(shown.endsWith(QStringLiteral("/\u2068") + name + QStringLiteral("\u2069")), qPrintable(shown));
        session.scripted.expectOpenFile(target);
        click(session.window, "b2");
        QCOMPARE(control<QLineEdit>(session.window, "Text2")->text(), shown);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QCOMPARE(session.lastMessage(), BackupText::BackupMade);
        QCOMPARE(readFile(target), readFile(session.database()));
    }

    // A failed copy says why and keeps the window, so another place can be chosen.
    void failedBackupKeepsTheWindow()
    {
        BackupSession session;
        session.type("Text1", session.folder.filePath(QStringLiteral("no-such-folder/b.mdbB")));
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QVERIFY(session.lastMessage().startsWith(BackupText::CopyFailed + QStringLiteral("\r\n")));
        QCOMPARE(session.scripted.shown().last().icon, Prompts::Icon::Critical);
        QCOMPARE(session.ends.size(), 0);
        QVERIFY(session.window.isVisible());
    }

    void commandsWaitForTheCopy()
    {
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 40000));
        QVERIFY(QFileInfo(session.database()).size() > 4 * 1024 * 1024);
        session.type("Text1", session.folder.filePath(QStringLiteral("Back/big.mdbB")));
        bool checked = false;
        bool heldBack = false;
        QTimer during;
        during.setSingleShot(true);
        connect(&during, &QTimer::timeout, this, [&] {
            checked = true;
            heldBack = session.window.isCopying() && !control(session.window, "VisualButtonEx2")->isEnabled()
                       && !control(session.window, "VisualButtonEx3")->isEnabled()
                       && !control(session.window, "Command1")->isEnabled() && !session.window.close()
                       && session.ends.isEmpty();
        });
        during.start(0);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        QVERIFY(checked);
        QVERIFY(heldBack);
        QCOMPARE(readFile(session.folder.filePath(QStringLiteral("Back/big.mdbB"))), readFile(session.database()));
        QCOMPARE(session.ends.size(), 1);
    }

    // The copy shows its progress and can be stopped there: a stopped backup
    // leaves no file under the target's name, a stopped restore leaves the
    // database byte for byte; the window's events run throughout the copy.
    void stoppedCopyLeavesNothing_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("whileChecking");
        QTest::newRow("backup") << false << false;
        QTest::newRow("restore, while copying") << true << false;
        QTest::newRow("restore, while checking the copy") << true << true;
    }
    void stoppedCopyLeavesNothing()
    {
        QFETCH(bool, restore);
        QFETCH(bool, whileChecking);
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 40000));
        const QString backup = session.folder.filePath(QStringLiteral("Back/big.mdbB"));
        if (restore) {
            QVERIFY(QFile::copy(session.database(), backup));
            QVERIFY(addBulkySubjects(100000, 10));
        }
        const QByteArray database = readFile(session.database());
        const QStringList backups = QDir(session.folder.filePath(QStringLiteral("Back"))).entryList(QDir::Files | QDir::Hidden);
        session.type(restore ? "Text2" : "Text1", backup);

        // A clock of the window's own that keeps ticking while the bytes are copied, and stops the copy part way.
        int ticks = 0;
        bool sawProgress = false;
        QTimer clock;
        connect(&clock, &QTimer::timeout, this, [&] {
            ++ticks;
            if (auto *box = session.window.findChild<QProgressDialog *>(QStringLiteral("CopyProgress"))) {
                const bool checking = box->labelText() == BackupText::Checking;
                sawProgress = sawProgress || (whileChecking ? checking : box->labelText().contains(QStringLiteral("مگابایت")));
                if (ticks >= 3 && checking == whileChecking)
                    box->cancel();
            }
        });
        clock.start(0);
        if (restore)
            session.scripted.expectQuestion(true);
        session.scripted.expectMessage();
        click(session.window, restore ? "VisualButtonEx3" : "VisualButtonEx2");
        clock.stop();
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
        QVERIFY(sawProgress);
        QCOMPARE(session.lastMessage(), restore ? BackupText::RestoreCancelled : BackupText::BackupCancelled);
        QVERIFY(session.ends.isEmpty());
        QVERIFY(session.window.isVisible() && control(session.window, "VisualButtonEx2")->isEnabled());
        QCOMPARE(QDir(session.folder.filePath(QStringLiteral("Back"))).entryList(QDir::Files | QDir::Hidden), backups);
        QCOMPARE(readFile(session.database()), database);
        QCOMPARE(QDir(QFileInfo(session.database()).absolutePath()).entryList({QStringLiteral(".quorvel-*")},
                                                                                QDir::Files | QDir::Hidden),
                 QStringList());
        QVERIFY(Store::database().isOpen());
    }

    void restorePutsTheBackupBackWhole_data()
    {
        QTest::addColumn<int>("addedAfterBackup");
        QTest::newRow("same size") << 0;
        QTest::newRow("over a larger database") << 30000;
    }
    void restorePutsTheBackupBackWhole()
    {
        QFETCH(int, addedAfterBackup);
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 25));
        const QString backup = session.folder.filePath(QStringLiteral("Back/b.mdbB"));
        QVERIFY(QFile::copy(session.database(), backup));
        const QByteArray backedUp = readFile(backup);
        QVERIFY(addBulkySubjects(1000, addedAfterBackup + 1));
        QVERIFY(QFileInfo(session.database()).size() >= backedUp.size());

        session.type("Text2", backup);
        session.scripted.expectQuestion(true);
        session.scripted.expectMessage();
        // The window's own record set lets go of the connection before the file is replaced.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
        click(session.window, "VisualButtonEx3");
        QCOMPARE(session.lastMessage(), BackupText::Restored);
        QCOMPARE(session.ends.size(), 1);
        QCOMPARE(readFile(session.database()), backedUp);
        QCOMPARE(QDir(QFileInfo(session.database()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("DBQORV.mdb")});
        // The connection was closed before the file was replaced; the next start reads the backup.
        QVERIFY(!Store::database().isOpen());
        QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Opened);
        QCOMPARE(subjects(), 25);
    }

    // The disk's sync of a large copy, the wait for the file and the rename run
    // beside the window: however slow the disk, it paints at least every 250 ms.
    void slowDiskNeverStopsThePainting_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("backup") << false;
        QTest::newRow("restore") << true;
    }
    void slowDiskNeverStopsThePainting()
    {
        QFETCH(bool, restore);
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 25));
        const QString backup = session.folder.filePath(QStringLiteral("Back/b.mdbB"));
        if (restore) {
            QVERIFY(QFile::copy(session.database(), backup));
            session.type("Text2", backup);
            session.scripted.expectQuestion(true);
        } else {
            session.type("Text1", backup);
        }
        session.scripted.expectMessage();
        static const auto slowSync = [](int fd) {
            QThread::msleep(700);
            return ::fsync(fd);
        };
        const SafeFile::SystemCalls calls{::write, slowSync, ::close, ::rename};
        SafeFile::setSystemCalls(&calls);
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer painter;
        connect(&painter, &QTimer::timeout, this, [&] {
            longest = qMax(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        painter.start(10);
        clock.start();
        click(session.window, restore ? "VisualButtonEx3" : "VisualButtonEx2");
        longest = qMax(longest, clock.elapsed() - last);
        painter.stop();
        SafeFile::setSystemCalls(nullptr);
        QCOMPARE(session.lastMessage(), restore ? BackupText::Restored : BackupText::BackupMade);
        // At least two slow syncs happened, each far longer than the limit.
        QVERIFY2(clock.elapsed() >= 1400, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(longest <= 250, qPrintable(QStringLiteral("%1 ms without a turn for the window").arg(longest)));
    }

    void restoreRefusesWhatIsNotAWholeBackup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << QStringLiteral("text");
        QTest::newRow("truncated backup") << QStringLiteral("truncated");
        QTest::newRow("another program's database") << QStringLiteral("foreign");
        QTest::newRow("missing file") << QStringLiteral("missing");
        QTest::newRow("trigger that deletes subjects later") << QStringLiteral("trigger");
        QTest::newRow("gigabytes of zeros behind the pages") << QStringLiteral("zeros");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("indexes that disagree with their table") << QStringLiteral("index");
    }
    void restoreRefusesWhatIsNotAWholeBackup()
    {
        QFETCH(QString, kind);
        BackupSession session;
        QVERIFY(addBulkySubjects(1, 3000));
        const QString source = session.folder.filePath(QStringLiteral("Back/bad.mdbB"));
        if (kind == u"text") {
            QVERIFY(writeFile(source, "این یک فایل متنی است\n"));
        } else if (kind == u"truncated") {
            const QByteArray whole = readFile(session.database());
            QVERIFY(writeFile(source, whole.left(whole.size() / 2)));
        } else if (kind == u"foreign") {
            {
                QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                other.setDatabaseName(source);
                QVERIFY(other.open());
                QVERIFY(QSqlQuery(other).exec(QStringLiteral("CREATE TABLE notes (x TEXT)")));
                other.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        } else if (kind == u"trigger" || kind == u"zeros") {
            QVERIFY(QFile::copy(session.database(), source));
            if (kind == u"zeros") {
                QCOMPARE(::truncate(QFile::encodeName(source).constData(), QFileInfo(source).size() + (qint64(4) << 30)), 0);
            } else {
                QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                other.setDatabaseName(source);
                QVERIFY(other.open());
                QVERIFY(QSqlQuery(other).exec(QStringLiteral(
                    "CREATE TRIGGER wipe AFTER INSERT ON \"ide\" BEGIN DELETE FROM \"ide\" WHERE \"Code\" <> NEW.\"Code\"; END")));
                other.close();
                other = QSqlDatabase();
                QSqlDatabase::removeDatabase(QStringLiteral("other"));
            }
        } else if (kind == u"pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(source).constData(), 0600), 0);
        } else if (kind == u"index") {
            QVERIFY(QFile::copy(session.database(), source));
            QVERIFY(swapIndexes(source, QStringLiteral("ide_FName"), QStringLiteral("ide_LName")));
            // Every page and the schema are well formed: only the check of every index against its table sees it.
            QCOMPARE(pragmaRows(source, QStringLiteral("quick_check")), QStringList{QStringLiteral("ok")});
            QVERIFY(pragmaRows(source, QStringLiteral("integrity_check")) != QStringList{QStringLiteral("ok")});
            QCOMPARE(Store::checkBackupFile(source, Store::CheckDepth::Shape).status, Store::OpenStatus::Opened);
        }
        const QByteArray before = readFile(session.database());
        session.type("Text2", source);
        session.scripted.expectQuestion(true);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx3");
        QVERIFY(session.lastMessage().contains(source));
        if (kind == u"pipe")
            QVERIFY2(session.lastMessage().contains(QStringLiteral("FIFO")), qPrintable(session.lastMessage()));
        // SQLite's and the check's own words are for the error output only.
        QVERIFY2(!hasLatinBesides(session.lastMessage(), {source, QStringLiteral("FIFO")}), qPrintable(session.lastMessage()));
        QCOMPARE(readFile(session.database()), before);
        QCOMPARE(session.ends.size(), 0);
        // Nothing was copied beside the database.
        QCOMPARE(QDir(QFileInfo(session.database()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("DBQORV.mdb")});
        // The program goes on with its database as it was.
        QCOMPARE(subjects(), 3000);
    }

    // When the database cannot be replaced (another program holds it), the
    // operator reads the cause and what to close, and the program goes on
    // with its database as it was.
    void restoreThatCannotReplaceSaysSo()
    {
        BackupSession session;
        const QString backup = session.folder.filePath(QStringLiteral("Back/b.mdbB"));
        QVERIFY(QFile::copy(session.database(), backup));
        QVERIFY(addBulkySubjects(1, 5));
        const QByteArray before = readFile(session.database());
        Store::setBusyWait(300);
        {
            QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
            reader.setDatabaseName(session.database());
            QVERIFY(reader.open());
            QSqlQuery hold(reader);
            QVERIFY(hold.exec(QStringLiteral("BEGIN")) && hold.exec(QStringLiteral("SELECT * FROM \"ide\"")) && hold.next());
            session.type("Text2", backup);
            session.scripted.expectQuestion(true);
            session.scripted.expectMessage();
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: restore: database is locked")));
            click(session.window, "VisualButtonEx3");
            hold.finish();
            QSqlQuery(reader).exec(QStringLiteral("ROLLBACK"));
            reader.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));
        Store::setBusyWait(3000);
        const ScriptedPrompts::Shown &shown = session.scripted.shown().last();
        // The cause, then what to close on a line of its own; no word of SQLite's.
        QVERIFY2(shown.text.endsWith(QLatin1Char('\n') + BackupText::CloseOtherWindows), qPrintable(shown.text));
        QVERIFY(shown.text.size() > BackupText::CloseOtherWindows.size() + 1);
        QVERIFY2(!hasLatinBesides(shown.text, {}), qPrintable(shown.text));
        QCOMPARE(shown.caption, BackupText::ErrorCaption);
        QCOMPARE(shown.icon, Prompts::Icon::Exclamation);
        QCOMPARE(readFile(session.database()), before);
        QCOMPARE(session.ends.size(), 0);
        QCOMPARE(subjects(), 5);
    }

    // A backup whose bytes did not reach the disk is no backup: no success, no file.
    void backupThatDidNotReachTheDiskIsRefused()
    {
        BackupSession session;
        const QString target = session.folder.filePath(QStringLiteral("Back/b.mdbB"));
        session.type("Text1", target);
        static const auto failingSync = [](int) {
            errno = EIO;
            return -1;
        };
        const SafeFile::SystemCalls calls{::write, failingSync, ::close, ::rename};
        SafeFile::setSystemCalls(&calls);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx2");
        SafeFile::setSystemCalls(nullptr);
        QVERIFY(session.lastMessage().startsWith(BackupText::CopyFailed + QStringLiteral("\r\n")));
        QVERIFY(!session.scripted.messages().contains(BackupText::BackupMade));
        QVERIFY(session.lastMessage().contains(QStringLiteral("دیسک در خواندن یا نوشتن خطا داد")));
        QVERIFY2(!hasLatinBesides(session.lastMessage(), {target}), qPrintable(session.lastMessage()));
        QCOMPARE(QDir(session.folder.filePath(QStringLiteral("Back"))).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(session.ends.size(), 0);
    }

    void restoreAsksFirst()
    {
        BackupSession session;
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx3");
        QCOMPARE(session.lastMessage(), BackupText::NeedRestorePath);

        const QString backup = session.folder.filePath(QStringLiteral("Back/b.mdbB"));
        QVERIFY(QFile::copy(session.database(), backup));
        QVERIFY(addBulkySubjects(1, 5));
        const QByteArray before = readFile(session.database());
        session.type("Text2", backup);
        session.scripted.expectQuestion(false);
        session.scripted.expectMessage();
        click(session.window, "VisualButtonEx3");
        QCOMPARE(session.lastMessage(), BackupText::NotRestored);
        QCOMPARE(readFile(session.database()), before);
        QCOMPARE(session.ends.size(), 0);
        QVERIFY(session.window.isVisible());
    }
};

QObject *makeTestFrmbackup()
{
    return new TestFrmbackup;
}

#include "tst_frmbackup.moc"
