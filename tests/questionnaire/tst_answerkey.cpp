#include "questionnaire/answerkey.h"
#include "questionnaire/subjectrecord.h"

#include <QTest>

// The one rule every reader of answers follows: keying, the results window
// and the exports must agree on what counts as an answer.
class AnswerKeyTest : public QObject
{
    Q_OBJECT

private slots:
    void answerValue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("value");
        QTest::newRow("each value") << "3" << 3;
        QTest::newRow("lowest") << "1" << 1;
        QTest::newRow("highest") << "4" << 4;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("blanks around") << " \t2\r\n " << 2;
        QTest::newRow("text after the number") << "3 (agree)" << 3;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("out of range") << "5" << 0;
        QTest::newRow("two digits") << "12" << 0;
        QTest::newRow("digits split by a blank") << "1 2" << 0;
        QTest::newRow("leading zero") << "04" << 4;
        QTest::newRow("letter first") << "x3" << 0;
        QTest::newRow("minus sign") << "-3" << 0;
        QTest::newRow("Persian digit") << QStringLiteral("۳") << 0;
        QTest::newRow("Persian letter after") << QStringLiteral("2ب") << 2;
    }

    // The text and its UTF-8 bytes give the same value, as the window and the bulk read see them.
    void answerValue()
    {
        QFETCH(QString, stored);
        QFETCH(int, value);
        QCOMPARE(AnswerKey::AnswerValue(QStringView(stored)), value);
        const QByteArray bytes = stored.toUtf8();
        QCOMPARE(AnswerKey::AnswerValue(QByteArrayView(bytes)), value);
    }

    void scoreAndUnansweredFollowTheRule()
    {
        QStringList answers(20, QStringLiteral("4"));
        answers[2] = QStringLiteral("");
        answers[11] = QStringLiteral("7");
        answers[5] = QStringLiteral(" 1 ");
        QCOMPARE(AnswerKey::UnansweredItems(answers), (QList<int>{3, 12}));
        QCOMPARE(AnswerKey::UnansweredList({3, 12}), QStringLiteral(" 3   12  "));
        // 17 fours and a one; the two non-answers add nothing.
        QCOMPARE(AnswerKey::ScoreText(answers), QStringLiteral("69"));
    }

    void subjectFromRowReadsColumnsInTheirOrder()
    {
        struct Row {
            QStringList values;
            QString text(int column) const { return values.value(column); }
            QByteArray utf8(int column) const { return values.value(column).toUtf8(); }
        } row;
        row.values = {QStringLiteral("1024"), QStringLiteral("مریم"), QStringLiteral("احمدی"), QStringLiteral("31"),
                      QStringLiteral("لیسانس"), QStringLiteral("زن"), QStringLiteral("متاهل"), QStringLiteral("C"),
                      QStringLiteral("1405/09/19"), QStringLiteral("10:30"), QStringLiteral("57")};
        for (int item = 1; item <= 20; ++item)
            row.values << QString::number(item % 4 + 1);
        row.values[11 + 6] = QStringLiteral("x");
        const Questionnaire::SubjectRecord subject = Questionnaire::subjectFromRow(row);
        QCOMPARE(subject.code, QStringLiteral("1024"));
        QCOMPARE(subject.lastName, QStringLiteral("احمدی"));
        QCOMPARE(subject.group, QStringLiteral("C"));
        QCOMPARE(subject.scoreValue(), std::optional<double>(57));
        QCOMPARE(subject.answers[0], 2);
        QCOMPARE(subject.answers[3], 1);
        QCOMPARE(subject.answers[6], 0);
        QVERIFY(!subject.hasCompleteAnswers());
        // The select list names the same columns in the same places.
        const QStringList columns = Questionnaire::subjectColumns(Questionnaire::ReadDetail::Everything).split(u',');
        QCOMPARE(columns.size(), 31);
        QCOMPARE(columns.at(7).trimmed(), QStringLiteral("i.\"Group\""));
        QCOMPARE(columns.at(11 + 6).trimmed(), QStringLiteral("a.\"7\""));
    }
};

QTEST_GUILESS_MAIN(AnswerKeyTest)
#include "tst_answerkey.moc"
