// Text boxes bound to the fields of a record set.
#include "store/recordset.h"
#include "support/programfolder.h"
#include "support/testmain.h"
#include "ui/fieldbinding.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

class TestFieldBinding : public QObject
{
    Q_OBJECT

private:
    static bool registerAnswer(const QString &code)
    {
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        return set.open() && set.addNew() && set.setField(QStringLiteral("Code"), code) && set.commit();
    }

private slots:
    // With no current row, what is typed goes nowhere.
    void boxWithoutARowWritesNothing()
    {
        ProgramFolder folder;
        RecordSet empty(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        QVERIFY(empty.open());
        QLineEdit box;
        FieldBinding::bind(&box, &empty, QStringLiteral("Code"));
        QCOMPARE(box.text(), QString());
        box.setText(QStringLiteral("typed with no row"));
        QVERIFY(!empty.hasPendingChanges());
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Answer\"")).toInt(), 0);
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

    void unknownFieldIsRefusedAtOnce()
    {
        ProgramFolder folder;
        RecordSet set(QStringLiteral("Adodc2"), QStringLiteral("ide"));
        QVERIFY(set.open());
        QLineEdit box;
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("no field Nmae")));
        QVERIFY(!FieldBinding::bind(&box, &set, QStringLiteral("Nmae")));
        QVERIFY(!box.isEnabled());
    }
};

QUORVEL_TEST_MAIN(TestFieldBinding)
#include "tst_fieldbinding.moc"
