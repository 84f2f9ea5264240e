#include "store/database.h"
#include "ui/fieldbinding.h"
#include "support/programfolder.h"
#include "store/recordset.h"
#include "store/transaction.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

class TestStore : public QObject
{
    Q_OBJECT

private:
    static int rows(ProgramFolder &folder, const QString &table)
    {
        return folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).toInt();
    }

    static bool registerAnswer(const QString &code)
    {
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        return set.open() && set.addNew() && set.setField(QStringLiteral("Code"), code) && set.commit();
    }

private slots:
    void freshDatabaseHoldsItemsAndSettings()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QCOMPARE(rows(folder, QStringLiteral("QU")), 20);
        QCOMPARE(rows(folder, QStringLiteral("ide")), 0);
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 0);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"TH\" || '|' || \"Name\" || '|' || \"Adress\" FROM \"Theme\"")).toString(),
                 QStringLiteral("1||"));
        // Every item has text, and the item numbers run 1 to 20.
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"QU\" WHERE length(\"Q\") > 10 AND \"code\" BETWEEN 1 AND 20")).toInt(), 20);
        // A whole file whenever no transaction is open: rollback journal, full sync.
        QCOMPARE(folder.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
        QCOMPARE(folder.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
        QString error;
        QVERIFY(!Store::createDatabase(folder.databasePath(), &error));
        QVERIFY(!error.isEmpty());
    }

    void openRefusesWhatIsNotOurs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text file") << QByteArray("Name,Code\nAli,12\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("sqlite header then junk") << QByteArray("SQLite format 3\0garbage-garbage-garbage", 40);
    }

    void openRefusesWhatIsNotOurs()
    {
        QFETCH(QByteArray, content);
        ProgramFolder folder(false);
        QFile::remove(folder.databasePath());
        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const Store::OpenResult result = Store::openDatabase();
        // Refused either way: not ours, or not a database the driver can read.
        QVERIFY(result.status == Store::OpenStatus::NotOurs || result.status == Store::OpenStatus::Failed);
        QVERIFY(!Store::database().isOpen());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }

    void openRefusesAnotherProgramsDatabase()
    {
        ProgramFolder folder(false);
        QFile::remove(folder.databasePath());
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(folder.databasePath());
            QVERIFY(other.open());
            QSqlQuery(other).exec(QStringLiteral("CREATE TABLE invoices (id INTEGER, total REAL)"));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QFile file(folder.databasePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QCOMPARE(Store::openDatabase().status, Store::OpenStatus::NotOurs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QVERIFY(!QFile::exists(folder.databasePath() + QStringLiteral("-journal")));
    }

    void openReportsMissingFile()
    {
        ProgramFolder folder(false);
        QFile::remove(folder.databasePath());
        QCOMPARE(Store::openDatabase().status, Store::OpenStatus::Missing);
        QVERIFY(!QFile::exists(folder.databasePath()));
    }

    void duplicateCodeIsRefusedAndThePendingRowKept()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("101")));
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        QVERIFY(set.open());
        QVERIFY(set.addNew());
        QVERIFY(set.setField(QStringLiteral("Code"), QStringLiteral("101")));
        QVERIFY(set.setField(QStringLiteral("3"), QStringLiteral("4")));
        QVERIFY(!set.commit());
        QVERIFY(!set.errorText().isEmpty());
        // The refused row is still there, with what was put into it.
        QCOMPARE(set.count(), 2);
        QCOMPARE(set.fieldText(QStringLiteral("Code")), QStringLiteral("101"));
        QCOMPARE(set.fieldText(QStringLiteral("3")), QStringLiteral("4"));
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 1);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Answer\" WHERE \"3\" IS NOT NULL")).toInt(), 0);
        // Corrected in place, the same pending row goes in.
        QVERIFY(set.setField(QStringLiteral("Code"), QStringLiteral("102")));
        QVERIFY2(set.commit(), qPrintable(set.errorText()));
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 2);
        QCOMPARE(set.fieldText(QStringLiteral("Code")), QStringLiteral("102"));
        // A duplicate in ide is refused the same way.
        RecordSet ide(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        QVERIFY(ide.open() && ide.addNew() && ide.setField(QStringLiteral("Code"), QStringLiteral("7")) && ide.commit());
        QVERIFY(ide.addNew() && ide.setField(QStringLiteral("Code"), QStringLiteral("7")));
        QVERIFY(!ide.commit());
        QCOMPARE(rows(folder, QStringLiteral("ide")), 1);
    }

    void refreshDiscardsPendingRowsAndEdits()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("5")));
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
        QVERIFY(set.filterBy(QStringLiteral("code"), QStringLiteral("5")));
        QVERIFY(set.setField(QStringLiteral("1"), QStringLiteral("3")));
        QVERIFY(set.hasPendingChanges());
        QVERIFY(set.refresh());
        QVERIFY(!set.hasPendingChanges());
        QVERIFY(set.field(QStringLiteral("1")).isNull());
        QVERIFY(set.addNew());
        QVERIFY(set.setField(QStringLiteral("Code"), QStringLiteral("6")));
        QCOMPARE(set.count(), 2);
        QVERIFY(set.refresh());
        QCOMPARE(set.count(), 1);
        QCOMPARE(set.fieldText(QStringLiteral("Code")), QStringLiteral("5"));
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 1);
        QVERIFY(folder.scalar(QStringLiteral("SELECT \"1\" FROM \"Answer\"")).isNull());
    }

    void filterMatchesTheTextLiterally_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("matches");
        QTest::newRow("injection") << QStringLiteral("x' OR '1'='1") << 0;
        QTest::newRow("quote inside a code") << QStringLiteral("o'brien") << 1;
        QTest::newRow("plain code") << QStringLiteral("12") << 1;
        QTest::newRow("trailing space") << QStringLiteral("12 ") << 0;
        QTest::newRow("leading zero") << QStringLiteral("012") << 0;
        QTest::newRow("other case") << QStringLiteral("O'BRIEN") << 0;
        QTest::newRow("statement") << QStringLiteral("'; DROP TABLE \"Answer\"; --") << 0;
        QTest::newRow("empty") << QString() << 0;
    }

    void filterMatchesTheTextLiterally()
    {
        QFETCH(QString, value);
        QFETCH(int, matches);
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("o'brien")));
        QVERIFY(registerAnswer(QStringLiteral("12")));
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
        QVERIFY2(set.filterBy(QStringLiteral("code"), value), qPrintable(set.errorText()));
        QCOMPARE(set.count(), matches);
        QCOMPARE(set.isBof(), matches == 0);
        if (matches)
            QCOMPARE(set.fieldText(QStringLiteral("Code")), value);
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 2);
    }

    void namesMatchWithoutRegardToCase()
    {
        ProgramFolder folder;
        RecordSet lower(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        QVERIFY(lower.open() && lower.addNew());
        QVERIFY(lower.setField(QStringLiteral("code"), QStringLiteral("44")));
        QVERIFY(lower.setField(QStringLiteral("nomre"), QStringLiteral("61")));
        QVERIFY2(lower.commit(), qPrintable(lower.errorText()));
        RecordSet upper(QStringLiteral("Adodc5"), QStringLiteral("IDE"));
        QVERIFY(upper.filterBy(QStringLiteral("Code"), QStringLiteral("44")));
        QCOMPARE(upper.count(), 1);
        QCOMPARE(upper.fieldText(QStringLiteral("Nomre")), QStringLiteral("61"));
        QVERIFY(upper.filterBy(QStringLiteral("CODE"), QStringLiteral("44")));
        QCOMPARE(upper.fieldText(QStringLiteral("NOMRE")), QStringLiteral("61"));
    }

    void countAndBeginOfSetOnEmptySets()
    {
        ProgramFolder folder;
        RecordSet empty(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        QVERIFY(empty.open());
        QCOMPARE(empty.count(), 0);
        QVERIFY(empty.isBof());
        QVERIFY(!empty.setField(QStringLiteral("1"), QStringLiteral("4")));
        QVERIFY(!empty.commit());
        QLineEdit box;
        FieldBinding::bind(&box, &empty, QStringLiteral("Code"));
        QCOMPARE(box.text(), QString());
        box.setText(QStringLiteral("typed with no row"));
        QVERIFY(!empty.hasPendingChanges());
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 0);

        QVERIFY(registerAnswer(QStringLiteral("1")));
        RecordSet items(QStringLiteral("Adodc6"), QStringLiteral("QU"));
        QVERIFY(items.filterBy(QStringLiteral("code"), QStringLiteral("21")));
        QCOMPARE(items.count(), 0);
        QVERIFY(items.isBof());
        QVERIFY(items.filterBy(QStringLiteral("code"), QStringLiteral("7")));
        QCOMPARE(items.count(), 1);
        QVERIFY(!items.isBof());
    }

    void recordSetsSeeOtherCommitsOnlyAfterRefresh()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("1")));
        RecordSet first(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
        RecordSet second(QStringLiteral("Adodc4"), QStringLiteral("Answer"));
        QVERIFY(first.open() && second.open());
        QVERIFY(first.setField(QStringLiteral("2"), QStringLiteral("4")));
        QVERIFY(first.commit());
        QVERIFY(second.field(QStringLiteral("2")).isNull());
        QVERIFY(second.addNew() && second.setField(QStringLiteral("Code"), QStringLiteral("2")) && second.commit());
        QCOMPARE(first.count(), 1);
        QCOMPARE(second.count(), 2);
        QVERIFY(first.refresh() && second.refresh());
        QCOMPARE(first.count(), 2);
        QVERIFY(second.filterBy(QStringLiteral("Code"), QStringLiteral("1")));
        QCOMPARE(second.fieldText(QStringLiteral("2")), QStringLiteral("4"));
    }

    void boundBoxesWriteThroughAndFollowTheCurrentRow()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("1")));
        QVERIFY(registerAnswer(QStringLiteral("2")));
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
        QLineEdit code;
        QLineEdit answer;
        QLabel shown;
        FieldBinding::bind(&code, &set, QStringLiteral("Code"));
        FieldBinding::bind(&answer, &set, QStringLiteral("5"));
        FieldBinding::bind(&shown, &set, QStringLiteral("5"));
        QVERIFY(set.filterBy(QStringLiteral("code"), QStringLiteral("2")));
        QCOMPARE(code.text(), QStringLiteral("2"));
        QTest::keyClicks(&answer, QStringLiteral("3"));
        QCOMPARE(set.fieldText(QStringLiteral("5")), QStringLiteral("3"));
        QCOMPARE(shown.text(), QStringLiteral("3"));
        QVERIFY(folder.scalar(QStringLiteral("SELECT \"5\" FROM \"Answer\" WHERE \"Code\" = '2'")).isNull());
        QVERIFY(set.commit());
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"5\" FROM \"Answer\" WHERE \"Code\" = '2'")).toString(),
                 QStringLiteral("3"));
        QVERIFY(set.filterBy(QStringLiteral("code"), QStringLiteral("1")));
        QCOMPARE(code.text(), QStringLiteral("1"));
        QCOMPARE(answer.text(), QString());
        QCOMPARE(shown.text(), QString());
        // Showing a row is not an edit of it.
        QVERIFY(!set.hasPendingChanges());
        QVERIFY(set.addNew());
        QCOMPARE(code.text(), QString());
        code.setText(QStringLiteral("3"));
        QCOMPARE(set.fieldText(QStringLiteral("Code")), QStringLiteral("3"));
    }

    void reboundBoxKeepsWhatThePreviousFieldReceived()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("9")));
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("Answer"));
        QVERIFY(set.filterBy(QStringLiteral("code"), QStringLiteral("9")));
        QLineEdit staging;
        FieldBinding::bind(&staging, &set, QStringLiteral("1"));
        staging.setText(QStringLiteral("4"));
        FieldBinding::bind(&staging, &set, QStringLiteral("2"));
        QCOMPARE(staging.text(), QString());
        staging.setText(QStringLiteral("2"));
        FieldBinding::bind(&staging, &set, QStringLiteral("1"));
        QCOMPARE(staging.text(), QStringLiteral("4"));
        QCOMPARE(set.fieldText(QStringLiteral("2")), QStringLiteral("2"));
        QVERIFY(set.commit());
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"1\" || \"2\" FROM \"Answer\"")).toString(), QStringLiteral("42"));
        QCOMPARE(FieldBinding::of(&staging)->field(), QStringLiteral("1"));
    }

    void deleteRemovesOnlyTheCurrentRow()
    {
        ProgramFolder folder;
        for (const char *code : {"1", "2", "3"})
            QVERIFY(registerAnswer(QString::fromLatin1(code)));
        RecordSet set(QStringLiteral("Adodc4"), QStringLiteral("Answer"));
        QVERIFY(set.filterBy(QStringLiteral("Code"), QStringLiteral("2")));
        QVERIFY(set.deleteCurrent());
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 2);
        QCOMPARE(folder.scalar(QStringLiteral("SELECT group_concat(\"Code\") FROM \"Answer\"")).toString(), QStringLiteral("1,3"));
        QCOMPARE(set.count(), 0);
        QVERIFY(!set.deleteCurrent());
    }

    void transactionKeepsRowsTogether()
    {
        ProgramFolder folder;
        QVERIFY(registerAnswer(QStringLiteral("1")));
        {
            Transaction transaction;
            QVERIFY(transaction.isActive());
            QVERIFY(registerAnswer(QStringLiteral("2")));
            QVERIFY(!registerAnswer(QStringLiteral("1")));
            // Ends without commit: the second row goes back too.
        }
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 1);
        {
            Transaction transaction;
            QVERIFY(registerAnswer(QStringLiteral("2")));
            QVERIFY(transaction.commit());
        }
        QCOMPARE(rows(folder, QStringLiteral("Answer")), 2);
    }
};

QTEST_MAIN(TestStore)
#include "tst_store.moc"
