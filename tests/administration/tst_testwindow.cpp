#include "administration/administrationtext.h"
#include "support/controls.h"
#include "support/modalguard.h"
#include "store/database.h"
#include "app/frm1.h"
#include "administration/frmtest.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "support/subjects.h"
#include "support/testmain.h"
#include "support/typing.h"
#include "administration/testlauncher.h"
#include "store/recordset.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>

namespace {

using Script = std::function<void(FrmTest *)>;

// The option button for an answer value: 4 is Option1 ... 1 is Option4.
QRadioButton *option(FrmTest *test, int value)
{
    return control<QRadioButton>(test, QStringLiteral("Option%1").arg(5 - value).toLatin1().constData());
}

int checkedValue(FrmTest *test)
{
    for (int value = 1; value <= 4; ++value)
        if (option(test, value)->isChecked())
            return value;
    return 0;
}

QString itemText(int item)
{
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("SELECT \"Q\" FROM \"QU\" WHERE \"code\" = ?"));
    query.addBindValue(item);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

QString stored(const QString &code, const QString &column)
{
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("SELECT \"%1\" FROM \"Answer\" WHERE \"Code\" = ?").arg(column));
    query.addBindValue(code);
    return query.exec() && query.next() ? query.value(0).toString() : QStringLiteral("(no row)");
}

// Replaces the item number by typing, key by key.
void typeItem(FrmTest *test, const QString &keys)
{
    auto *box = control<QLineEdit>(test, "Text6");
    box->setFocus();
    box->selectAll();
    typeText(box, keys);
}

// One registered subject; answers holds one digit an item, from the first.
void addSubject(const QString &code, const QString &answers = QString())
{
    QStringList sheet;
    for (const QChar answer : answers)
        sheet << QString(answer);
    QVERIFY(addSubjects({{.code = code, .firstName = QStringLiteral("سارا"), .lastName = QStringLiteral("کاظمی"),
                          .age = QStringLiteral("29"), .answers = sheet}}));
}

// A program folder holding one registered subject.
struct SubjectFolder : ProgramFolder {
    explicit SubjectFolder(const QString &code, const QString &answers = QString()) { addSubject(code, answers); }
};

// One subject, strict prompts, and the main window shown, ready for a launch.
struct Session {
    explicit Session(const QString &code, const QString &answers = QString()) : folder(code, answers) { main.show(); }
    SubjectFolder folder;
    ScriptedPrompts scripted;
    Frm1 main;
};

}  // namespace

class TestTestWindow : public QObject
{
    Q_OBJECT

    // Presses the main window's run-test button, answers the code prompt and,
    // when the test window opens, drives it with script. Returns whether it opened.
    bool launch(Frm1 &main, ScriptedPrompts &scripted, const QString &code, const Script &script)
    {
        scripted.expectInput(code);
        const ExpectRealDialog testWindow;  // run with exec() while the button's click lasts
        bool opened = false;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto *test = qobject_cast<FrmTest *>(QApplication::activeModalWidget());
            if (!test)
                return;
            driver.stop();
            opened = true;
            script(test);
            if (test->isVisible())  // a failed check must not leave the window open
                test->reject();
        });
        driver.start(0);
        click(&main, "Command2");
        driver.stop();
        return opened;
    }


private slots:
    void fullRunStoresTheTwentyAnswers()
    {
        Session session(QStringLiteral("12"));
        auto &[folder, scripted, main] = session;
        const bool opened = launch(main, scripted, QStringLiteral("12"), [&](FrmTest *test) {
            // The title as the operator reads it in the title bar.
            QCOMPARE(test->windowTitle(), QStringLiteral("صفحه اجراي تست"));
            // Before Start: title, instructions, note and scale.
            for (const char *shown : {"SkinLabel3", "SkinLabel4", "SkinLabel5", "SkinLabel6", "Command1", "Command2"})
                QVERIFY2(control(test, shown)->isVisible(), shown);
            for (const char *hidden : {"Frame1", "Frame2", "SkinLbl5", "Text6", "CmdBack", "CmdNext", "Command5", "Text12"})
                QVERIFY2(!control(test, hidden)->isVisible(), hidden);
            click(test, "Command1");
            for (const char *hidden : {"SkinLabel3", "SkinLabel4", "SkinLabel5", "SkinLabel6", "Command1"})
                QVERIFY2(!control(test, hidden)->isVisible(), hidden);
            QCOMPARE(control<QLineEdit>(test, "Text1")->text(), QStringLiteral("12"));
            QCOMPARE(control<QLineEdit>(test, "Text3")->text(), QStringLiteral("سارا"));
            QCOMPARE(control<QLineEdit>(test, "Text6")->text(), QStringLiteral("1"));
            QCOMPARE(control<QGroupBox>(test, "Frame2")->title(), QStringLiteral("1"));
            QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), itemText(1));
            QCOMPARE(checkedValue(test), 0);
            for (int item = 1; item <= 20; ++item) {
                QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), itemText(item));
                option(test, 4 - item % 4)->click();
                if (item % 2)
                    click(test, "CmdNext");
                else  // Enter presses Next
                    QTest::keyClick(test->focusWidget() ? test->focusWidget() : test, Qt::Key_Return);
            }
            QCOMPARE(scripted.notices(), QStringList{AdministrationText::End});
            QCOMPARE(control<QLineEdit>(test, "Text6")->text(), QStringLiteral("20"));
            QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), itemText(20));
            click(test, "Command5");
        });
        QVERIFY(opened);
        for (int item = 1; item <= 20; ++item)
            QCOMPARE(stored(QStringLiteral("12"), QString::number(item)), QString::number(4 - item % 4));
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void navigationFollowsTheItemNumber()
    {
        Session session(QStringLiteral("7"));
        auto &[folder, scripted, main] = session;
        QVERIFY(launch(main, scripted, QStringLiteral("7"), [&](FrmTest *test) {
            auto *number = control<QLineEdit>(test, "Text6");
            auto *question = control<QLabel>(test, "SkinLbl5");
            click(test, "Command1");

            // Back from item 1: stored, the box shows 0, item 1 stays and still takes the answer.
            option(test, 3)->click();
            click(test, "CmdBack");
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("1")), QStringLiteral("3"));
            QCOMPARE(number->text(), QStringLiteral("0"));
            QCOMPARE(question->text(), itemText(1));
            option(test, 1)->click();
            // Back again: stored, "شروع", item 1.
            click(test, "CmdBack");
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("1")), QStringLiteral("1"));
            QCOMPARE(scripted.notices(), QStringList{AdministrationText::Start});
            QCOMPARE(number->text(), QStringLiteral("1"));
            QCOMPARE(checkedValue(test), 1);

            // Next while the box shows 0: item 1.
            typeItem(test, QStringLiteral("0"));
            QCOMPARE(question->text(), itemText(1));
            click(test, "CmdNext");
            QCOMPARE(number->text(), QStringLiteral("1"));

            // Typing a number shows that item; nothing is stored by it.
            option(test, 2)->click();
            typeItem(test, QStringLiteral("4"));
            QCOMPARE(question->text(), itemText(4));
            QCOMPARE(control<QGroupBox>(test, "Frame2")->title(), QStringLiteral("4"));
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("1")), QStringLiteral("1"));

            // Key by key: 2, then 25, which is past the last item.
            scripted.clear();
            typeItem(test, QStringLiteral("25"));
            QCOMPARE(scripted.notices(), QStringList{AdministrationText::End});
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("1")), QStringLiteral("2"));
            QCOMPARE(number->text(), QStringLiteral("20"));
            QCOMPARE(question->text(), itemText(20));
            QCOMPARE(control<QGroupBox>(test, "Frame2")->title(), QStringLiteral("20"));

            // Emptying the box shows item 1.
            number->setFocus();
            number->selectAll();
            QTest::keyClick(number, Qt::Key_Backspace);
            QCOMPARE(number->text(), QStringLiteral("1"));
            QCOMPARE(question->text(), itemText(1));
            QCOMPARE(checkedValue(test), 2);

            // Leading zeros name the same item and column.
            typeItem(test, QStringLiteral("07"));
            QCOMPARE(question->text(), itemText(7));
            QCOMPARE(control<QGroupBox>(test, "Frame2")->title(), QStringLiteral("7"));
            option(test, 4)->click();
            click(test, "CmdNext");
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("7")), QStringLiteral("4"));
            QCOMPARE(number->text(), QStringLiteral("8"));

            // A letter, or Escape, is refused with a beep and a notice; Escape does not close the window.
            scripted.clear();
            typeText(number, QStringLiteral("x"));
            QTest::keyClick(number, Qt::Key_Escape);
            QCOMPARE(number->text(), QStringLiteral("8"));
            QCOMPARE(scripted.notices(), QStringList(2, QStringLiteral("شما بايد عدد وارد كنيد")));
            QTest::keyClick(test, Qt::Key_Escape);
            QVERIFY(test->isVisible());

            // Two choices on one item: only the last is stored. Exit drops the uncommitted one.
            option(test, 4)->click();
            option(test, 1)->click();
            click(test, "CmdNext");
            QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("8")), QStringLiteral("1"));
            option(test, 3)->click();
            click(test, "Command2");
        }));
        QCOMPARE(stored(QStringLiteral("7"), QStringLiteral("9")), QString());
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void aSubjectLaunchedAgainSeesAndChangesEarlierAnswers()
    {
        Session session(QStringLiteral("31"), QStringLiteral("431"));
        auto &[folder, scripted, main] = session;
        // A change followed by Exit is not stored.
        QVERIFY(launch(main, scripted, QStringLiteral("31"), [&](FrmTest *test) {
            click(test, "Command1");
            QCOMPARE(checkedValue(test), 4);
            option(test, 2)->click();
            click(test, "Command2");
        }));
        QCOMPARE(stored(QStringLiteral("31"), QStringLiteral("1")), QStringLiteral("4"));
        // The second launch finds the prepared window: subject frame shown, title hidden.
        QVERIFY(launch(main, scripted, QStringLiteral("31"), [&](FrmTest *test) {
            QVERIFY(control(test, "Frame1")->isVisible());
            QVERIFY(!control(test, "SkinLabel3")->isVisible());
            QVERIFY(control(test, "SkinLabel4")->isVisible());
            QVERIFY(control(test, "Command1")->isVisible());
            QCOMPARE(control<QLineEdit>(test, "Text1")->text(), QStringLiteral("31"));
            click(test, "Command1");
            QCOMPARE(checkedValue(test), 4);
            click(test, "CmdNext");
            QCOMPARE(checkedValue(test), 3);
            option(test, 1)->click();
            click(test, "CmdNext");
            QCOMPARE(checkedValue(test), 1);
            click(test, "CmdBack");
            QCOMPARE(checkedValue(test), 1);
            click(test, "Command2");
        }));
        QCOMPARE(stored(QStringLiteral("31"), QStringLiteral("1")), QStringLiteral("4"));
        QCOMPARE(stored(QStringLiteral("31"), QStringLiteral("2")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("31"), QStringLiteral("3")), QStringLiteral("1"));
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void subjectCorrectionsAreStoredOnlyBySaveAndExit_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("answer");
        QTest::newRow("exit") << QStringLiteral("Command2") << QStringLiteral("29") << QString();
        QTest::newRow("save and exit") << QStringLiteral("Command5") << QStringLiteral("45") << QStringLiteral("2");
    }

    void subjectCorrectionsAreStoredOnlyBySaveAndExit()
    {
        QFETCH(QString, button);
        QFETCH(QString, age);
        QFETCH(QString, answer);
        Session session(QStringLiteral("5"));
        auto &[folder, scripted, main] = session;
        QVERIFY(launch(main, scripted, QStringLiteral("5"), [&](FrmTest *test) {
            click(test, "Command1");
            auto *ageBox = control<QLineEdit>(test, "Text5");
            QCOMPARE(ageBox->text(), QStringLiteral("29"));
            ageBox->setFocus();
            ageBox->selectAll();
            typeText(ageBox, QStringLiteral("45"));
            option(test, 2)->click();
            test->findChild<QPushButton *>(button)->click();
            QVERIFY(!test->isVisible());
        }));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"Sen\" FROM \"ide\"")).toString(), age);
        QCOMPARE(stored(QStringLiteral("5"), QStringLiteral("1")), answer);
    }

    void launchRefusesWhatItCannotRun()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        {
            Frm1 empty;
            empty.show();
            click(&empty, "Command2");
            QVERIFY(scripted.shown().isEmpty());
        }
        addSubject(QStringLiteral("12"));
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"Answer\" (\"Code\") VALUES ('13')")));
        Frm1 main;
        main.show();
        const Script unexpectedWindow = [](FrmTest *) { QFAIL("the test window opened"); };
        QVERIFY(!launch(main, scripted, QString(), unexpectedWindow));
        QVERIFY(!launch(main, scripted, QStringLiteral("12 "), unexpectedWindow));
        QVERIFY(!launch(main, scripted, QStringLiteral("x' OR '1'='1"), unexpectedWindow));
        QCOMPARE(scripted.notices(), (QStringList{AdministrationText::NeedSubjectNumber, AdministrationText::NoSuchSubject,
                                                  AdministrationText::NoSuchSubject}));
        for (const ScriptedPrompts::Shown &prompt : scripted.shown()) {
            if (prompt.kind == QLatin1String("input")) {
                QCOMPARE(prompt.text, QStringLiteral(" Plese Insert Code "));
                QCOMPARE(prompt.caption, QStringLiteral("Enter Code "));
            }
        }
        // An answer row without a subject row: the window opens with an empty subject frame.
        QVERIFY(launch(main, scripted, QStringLiteral("13"), [](FrmTest *test) {
            click(test, "Command1");
            QCOMPARE(control<QLineEdit>(test, "Text1")->text(), QString());
            QCOMPARE(control<QLineEdit>(test, "Text3")->text(), QString());
            click(test, "Command5");
        }));
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    // One test window serves the whole run: a main window made anew (for a new theme,
    // say) finds the window its predecessor prepared.
    void preparedWindowOutlivesItsMainWindow()
    {
        SubjectFolder folder(QStringLiteral("12"));
        ScriptedPrompts scripted;
        TestLauncher launcher;
        {
            Frm1 first(&launcher);
            first.show();
            QVERIFY(launch(first, scripted, QStringLiteral("12"), [](FrmTest *test) { click(test, "Command2"); }));
        }
        QPointer<FrmTest> prepared = launcher.window();
        QVERIFY(prepared);
        Frm1 second(&launcher);
        second.show();
        QVERIFY(launch(second, scripted, QStringLiteral("12"), [&](FrmTest *test) {
            QCOMPARE(test, prepared.data());
            QVERIFY(control(test, "Frame1")->isVisible());
            QVERIFY(!control(test, "SkinLabel3")->isVisible());
            click(test, "Command2");
        }));
    }

    // Numbers outside the twenty (Back from 0 gives -1) show the first or the last item
    // once, and say so once.
    void itemNumberOutsideTheRangeShowsOneItemOnce_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("before the first") << QStringLiteral("-1") << QStringLiteral("1")
                                          << QStringList{AdministrationText::Start};
        QTest::newRow("past the end") << QStringLiteral("25") << QStringLiteral("20") << QStringList{AdministrationText::End};
        QTest::newRow("emptied") << QString() << QStringLiteral("1") << QStringList();
        QTest::newRow("in range") << QStringLiteral("7") << QStringLiteral("7") << QStringList();
    }

    void itemNumberOutsideTheRangeShowsOneItemOnce()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QStringList, notices);
        Session session(QStringLiteral("1"));
        auto &[folder, scripted, main] = session;
        QVERIFY(launch(main, scripted, QStringLiteral("1"), [&](FrmTest *test) {
            click(test, "Command1");
            auto *items = test->findChild<RecordSet *>(QStringLiteral("Adodc6"));
            QSignalSpy reads(items, &RecordSet::currentChanged);
            auto *number = control<QLineEdit>(test, "Text6");
            number->setText(typed);
            QCOMPARE(number->text(), shown);
            QCOMPARE(control<QGroupBox>(test, "Frame2")->title(), shown);
            QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), itemText(shown.toInt()));
            QCOMPARE(reads.count(), 1);  // the item was looked up once
            QCOMPARE(scripted.notices(), notices);
            click(test, "Command2");
        }));
    }

    void anItemWithoutTextShowsAnEmptyQuestion()
    {
        Session session(QStringLiteral("1"));
        auto &[folder, scripted, main] = session;
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM \"QU\" WHERE \"code\" = 5")));
        QVERIFY(launch(main, scripted, QStringLiteral("1"), [&](FrmTest *test) {
            click(test, "Command1");
            typeItem(test, QStringLiteral("5"));
            QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), QString());
            option(test, 3)->click();
            click(test, "CmdNext");
            QCOMPARE(control<QLabel>(test, "SkinLbl5")->text(), itemText(6));
            click(test, "Command2");
        }));
        QCOMPARE(stored(QStringLiteral("1"), QStringLiteral("5")), QStringLiteral("3"));
    }
};

QObject *makeTestTestWindow()
{
    return new TestTestWindow;
}

#include "tst_testwindow.moc"
