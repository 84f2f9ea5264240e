#include "ui/clock.h"
#include "support/controls.h"
#include "support/modalguard.h"
#include "app/desktop.h"
#include "app/frm1.h"
#include "calendar/module7.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "store/recordset.h"
#include "registry/registrytext.h"
#include "support/scriptedprompts.h"
#include "support/typing.h"
#include "administration/frmtest.h"
#include "store/storefailure.h"
#include "ui/storeerror.h"
#include "ui/textchecks.h"

#include <QApplication>
#include <QClipboard>
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTimer>
#include "store/database.h"
#include <QTest>

namespace {

struct Subject {
    QString code = QStringLiteral("1024");
    QString firstName = QStringLiteral("مریم");
    QString lastName = QStringLiteral("رضایی");
    QString age = QStringLiteral("34");
    int marital = 1;  // index in the list, -1 for untouched
    int gender = 1;
    int group = 2;
    QString education = QStringLiteral("کارشناسی");
};

// A subject for whom the three lists are left as they stand.
Subject withListsUntouched(const QString &code)
{
    Subject subject;
    subject.code = code;
    subject.marital = subject.gender = subject.group = -1;
    return subject;
}

const QDateTime kNow(QDate(2014, 7, 19), QTime(9, 5, 7));

// A fresh program folder, strict prompts, and the main window shown with its registration panel open.
struct RegistrationSession {
    RegistrationSession()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        click(window, "Command1");
        // The panel's lists are checked by Qt's model tester while they live.
        for (const char *list : {"Combo1", "Combo2", "Combo3"}) {
            QAbstractItemModel *model = control<QComboBox>(window, list)->model();
            new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        }
    }
    ProgramFolder folder;
    ScriptedPrompts scripted;
    Frm1 window;
};

}  // namespace

class TestRegistration : public QObject
{
    Q_OBJECT

    static void type(Frm1 &window, const char *box, const QString &text)
    {
        auto *edit = control<QLineEdit>(window, box);
        edit->setFocus();
        typeText(edit, text);
    }

    static void pick(Frm1 &window, const char *list, int index)
    {
        if (index >= 0)
            control<QComboBox>(window, list)->setCurrentIndex(index);
    }

    static void fill(Frm1 &window, const Subject &subject)
    {
        type(window, "Text11", subject.code);
        type(window, "Text6", subject.firstName);
        type(window, "Text4", subject.lastName);
        type(window, "Text5", subject.age);
        type(window, "Text7", subject.education);
        pick(window, "Combo1", subject.marital);
        pick(window, "Combo2", subject.gender);
        pick(window, "Combo3", subject.group);
    }

    static QString row(ProgramFolder &folder, const QString &code)
    {
        QSqlQuery query(Store::database());
        query.prepare(QStringLiteral("SELECT \"FName\", \"LName\", \"Sen\", \"Taahol\", \"Jens\", \"Group\", \"Tahsil\", "
                                     "\"Date\", \"Time\", CASE WHEN \"Nomre\" IS NULL THEN 1 ELSE 0 END FROM \"ide\" WHERE \"Code\" = ?"));
        query.addBindValue(code);
        if (!query.exec() || !query.next())
            return QStringLiteral("(none)");
        QStringList values;
        for (int i = 0; i < 10; ++i)
            values << query.value(i).toString();
        Q_UNUSED(folder);
        return values.join(QLatin1Char('|'));
    }

    static int count(ProgramFolder &folder, const char *table)
    {
        return folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QLatin1String(table))).toInt();
    }

private slots:
    void initTestCase() { Store::setBusyWait(1500); }
    void init() { Clock::fixAt(kNow); }
    void cleanup() { Clock::release(); }

    void openingShowsAnEmptyStampedPanel()
    {
        ProgramFolder folder;
        Frm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        click(window, "Command9");
        click(window, "Command1");
        QVERIFY(control(window, "Frame10")->isVisible());
        QVERIFY(!control(window, "Frame8")->isVisible());
        QCOMPARE(control<QLineEdit>(window, "Text9")->text(), QStringLiteral("09:05:07"));
        QCOMPARE(control<QLineEdit>(window, "Text8")->text(), QStringLiteral("1393/04/28"));
        QVERIFY(control<QLineEdit>(window, "Text9")->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), control(window, "Text11"));
        for (const char *box : {"Text11", "Text6", "Text4", "Text5", "Text7", "Text15", "Text16", "Text17"})
            QVERIFY2(control<QLineEdit>(window, box)->text().isEmpty(), box);
        QCOMPARE(control<QComboBox>(window, "Combo3")->count(), 7);
        QCOMPARE(control<QComboBox>(window, "Combo1")->itemText(1), RegistryText::Married);
        // Tab goes code, first name, last name, age, marital status, date, gender, group, education, save, cancel, time.
        const QStringList order{"Text6", "Text4", "Text5", "Combo1", "Text8", "Combo2", "Combo3", "Text7", "Command8", "Command10", "Text9"};
        for (const QString &next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    void registrationStoresBothRowsAndRefusesTheCodeAgain()
    {
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        Subject subject;
        // The code as the operator sees it, without the blanks typed around it, in both rows.
        subject.code = QStringLiteral("  77  ");
        fill(window, subject);
        click(window, "Command8");
        QCOMPARE(scripted.shown().size(), 0);
        QVERIFY(!control(window, "Frame10")->isVisible());
        QCOMPARE(folder.scalar(QStringLiteral("SELECT MIN(\"Code\") || '/' || COUNT(*) FROM \"ide\"")).toString(), QStringLiteral("77/1"));
        QCOMPARE(row(folder, QStringLiteral("77")),
                 QStringLiteral("مریم|رضایی|34|متأهل|زن|C|کارشناسی|1393/04/28|09:05:07|1"));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT MIN(\"Code\") || '/' || COUNT(*) FROM \"Answer\"")).toString(), QStringLiteral("77/1"));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Answer\" WHERE coalesce(\"1\", \"20\") IS NULL")).toInt(), 1);

        // The same code, surrounding spaces and all, again: refused, nothing stored, every entry kept.
        click(window, "Command1");
        subject.firstName = QStringLiteral("علی");
        fill(window, subject);
        click(window, "Command8");
        QCOMPARE(scripted.notices(), QStringList{RegistryText::DuplicateCode});
        QVERIFY(control(window, "Frame10")->isVisible());
        QCOMPARE(control<QLineEdit>(window, "Text6")->text(), QStringLiteral("علی"));
        QCOMPARE(control<QLineEdit>(window, "Text11")->text(), QStringLiteral("  77  "));
        QCOMPARE(count(folder, "ide"), 1);
        QCOMPARE(count(folder, "Answer"), 1);
        // Corrected in place, it goes in on the next press.
        control<QLineEdit>(window, "Text11")->setText(QStringLiteral("78"));
        click(window, "Command8");
        QCOMPARE(scripted.notices().size(), 1);
        QCOMPARE(row(folder, QStringLiteral("78")).section(QLatin1Char('|'), 0, 0), QStringLiteral("علی"));
        QCOMPARE(count(folder, "Answer"), 2);
        QCOMPARE(scripted.unexpected(), QStringList());

        // The test launch finds the subject under the code the operator sees.
        scripted.expectInput(QStringLiteral("77"));
        const ExpectRealDialog testWindow;
        QString shownCode;
        QTimer::singleShot(0, this, [&shownCode] {
            if (auto *test = qobject_cast<FrmTest *>(QApplication::activeModalWidget())) {
                click(test, "Command1");
                shownCode = control<QLineEdit>(test, "Text1")->text();
                test->reject();
            }
        });
        click(window, "Command2");
        QCOMPARE(shownCode, QStringLiteral("77"));
    }

    // Entries that cannot be stored as they are: each refused with its message, the focus in its box.
    // By keyboard: Enter on the focused menu button opens the panel, and
    // Enter in the panel's last box saves as "ذخيره" does.
    void enterOpensThePanelAndSaves()
    {
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        click(window, "Command10");
        QVERIFY(!control(window, "Frame10")->isVisible());
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        control(window, "Command1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(control(window, "Frame10")->isVisible());
        Subject subject;
        subject.code = QStringLiteral("88");
        fill(window, subject);
        control(window, "Text7")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(scripted.shown().size(), 0);
        QVERIFY(!control(window, "Frame10")->isVisible());
        QCOMPARE(count(folder, "ide"), 1);
        QCOMPARE(count(folder, "Answer"), 1);
    }

    void unfitCodesAndNamesAreRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("education");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString name = QStringLiteral("مریم");
        const QString education = Subject().education;
        const auto row = [&](const char *title, const QString &code, const QString &first, const QString &last,
                             const QString &message, const QString &focus, const QString &taught) {
            QTest::newRow(title) << code << first << last << taught << message << focus;
        };
        const QString code = HiddenControlsInCodeText;
        row("code of blanks", QStringLiteral("   "), name, name, RegistryText::NeedCode, "Text11", education);
        row("code turned round", QStringLiteral("12\u202E34"), name, name, code, "Text11", education);
        row("code with a tab", QStringLiteral("12\t4"), name, name, code, "Text11", education);
        // Shown as "R45", never found by typing what is shown.
        row("code with a zero-width space", QStringLiteral("R4\u200B5"), name, name, code, "Text11", education);
        row("code with a half-space", QStringLiteral("12\u200C4"), name, name, code, "Text11", education);
        row("code with a joiner", QStringLiteral("12\u200D4"), name, name, code, "Text11", education);
        row("code with a word joiner", QStringLiteral("12\u20604"), name, name, code, "Text11", education);
        row("code with a soft hyphen", QStringLiteral("12\u00AD4"), name, name, code, "Text11", education);
        row("code with a no-break space", QStringLiteral("12\u00A04"), name, name, code, "Text11", education);
        row("code with a thin space", QStringLiteral("12\u20094"), name, name, code, "Text11", education);
        row("first name with a mark", QStringLiteral("5"), QStringLiteral("\u200Fمریم"), name, HiddenControlsInNameText,
            "Text6", education);
        row("last name with a bell", QStringLiteral("5"), name, QStringLiteral("رضا\u0007یی"), HiddenControlsInNameText,
            "Text4", education);
        row("education turned round", QStringLiteral("5"), name, name, HiddenControlsInFieldText, "Text7",
            QStringLiteral("لیسانس\u202E123"));
        // Every other mark that steers the direction of text, in any field.
        for (const char16_t mark : {u'\u200E', u'\u202A', u'\u202C', u'\u2066', u'\u2069', u'\u061C'}) {
            const QByteArray title = QStringLiteral("education with U+%1").arg(int(mark), 4, 16, QLatin1Char('0')).toLatin1();
            row(title.constData(), QStringLiteral("5"), name, name, HiddenControlsInFieldText, "Text7",
                QStringLiteral("لیسانس") + QChar(mark) + QStringLiteral("123"));
        }
        row("code with a byte order mark", QStringLiteral("\uFEFF124"), name, name, code, "Text11", education);
        row("code with an invisible separator", QStringLiteral("12\u20634"), name, name, code, "Text11", education);
        row("code with an ideographic space", QStringLiteral("12\u30004"), name, name, code, "Text11", education);
        row("half-space is a letter", QStringLiteral("5"), QStringLiteral("نیم\u200Cفاصله"), name, QString(), QString(),
            QStringLiteral("کارشناسی\u200Cارشد"));
    }

    void unfitCodesAndNamesAreRefused()
    {
        QFETCH(QString, code);
        QFETCH(QString, firstName);
        QFETCH(QString, lastName);
        QFETCH(QString, education);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        Subject subject;
        fill(window, subject);
        control<QLineEdit>(window, "Text11")->setText(code);
        control<QLineEdit>(window, "Text6")->setText(firstName);
        control<QLineEdit>(window, "Text4")->setText(lastName);
        control<QLineEdit>(window, "Text7")->setText(education);
        click(window, "Command8");
        if (message.isEmpty()) {
            QCOMPARE(scripted.notices(), QStringList());
            QCOMPARE(count(folder, "ide"), 1);
            return;
        }
        QCOMPARE(scripted.notices(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(control(window, "Frame10")->isVisible());
        QCOMPARE(count(folder, "ide") + count(folder, "Answer"), 0);
    }

    // A file that cannot be written, or one another program holds: the operator reads
    // the true cause, once, the window keeps working, and every entry stays for the next try.
    void refusedSaveNamesItsCause_data()
    {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("failure");
        QTest::newRow("read-only") << QStringLiteral("read-only") << int(StoreFailure::ReadOnly);
        QTest::newRow("held by another program") << QStringLiteral("held") << int(StoreFailure::Busy);
    }

    void refusedSaveNamesItsCause()
    {
        QFETCH(QString, refusal);
        QFETCH(int, failure);
        if (ProgramFolder::onServer())
            QSKIP("a lock or permission of the database file");
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        fill(window, Subject());
        const bool held = refusal == QLatin1String("held");
        int ticks = 0;
        qint64 elapsed = 0;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(folder.databasePath());
            QVERIFY(other.open());
            QVERIFY(held ? QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE"))
                         : folder.exec(QStringLiteral("PRAGMA query_only = ON")));
            // The wait runs none of the program's events: no timer can reach the store meanwhile.
            QTimer ticking;
            connect(&ticking, &QTimer::timeout, this, [&ticks] { ++ticks; });
            ticking.start(100);
            QElapsedTimer waited;
            waited.start();
            scripted.expectMessage();
            click(window, "Command8");
            elapsed = waited.elapsed();
            QVERIFY(held ? QSqlQuery(other).exec(QStringLiteral("ROLLBACK"))
                         : folder.exec(QStringLiteral("PRAGMA query_only = OFF")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));

        QCOMPARE(scripted.messages().size(), 1);
        QVERIFY(scripted.messages().first().startsWith(StoreFailureText(StoreFailure(failure), QString())));
        QVERIFY(!scripted.messages().value(0).contains(RegistryText::DuplicateCode));
        QCOMPARE(scripted.notices(), QStringList());
        QVERIFY2(elapsed < 6000, qPrintable(QString::number(elapsed)));
        if (held)
            QVERIFY2(ticks == 0, qPrintable(QString::number(ticks)));
        QVERIFY(control(window, "Frame10")->isVisible());
        QCOMPARE(control<QLineEdit>(window, "Text6")->text(), Subject().firstName);
        QCOMPARE(count(folder, "ide") + count(folder, "Answer"), 0);
        // Once the file is free, the same entries go in.
        click(window, "Command8");
        QCOMPARE(count(folder, "ide"), 1);
        QCOMPARE(count(folder, "Answer"), 1);
    }

    void bothRowsOrNeither()
    {
        // A subject row left without its answer row: the new answer row must not stay behind alone.
        ProgramFolder folder;
        QVERIFY(addSubjects({{.code = QStringLiteral("500")}}));
        ScriptedPrompts scripted;
        Frm1 window;
        window.show();
        click(window, "Command1");
        Subject subject;
        subject.code = QStringLiteral("500");
        fill(window, subject);
        click(window, "Command8");
        QCOMPARE(scripted.notices(), QStringList{RegistryText::DuplicateCode});
        QCOMPARE(count(folder, "Answer"), 0);
        QCOMPARE(count(folder, "ide"), 1);
        QVERIFY(control(window, "Frame10")->isVisible());
        control<QLineEdit>(window, "Text11")->setText(QStringLiteral("501"));
        click(window, "Command8");
        QCOMPARE(count(folder, "Answer"), 1);
        QCOMPARE(row(folder, QStringLiteral("501")).section(QLatin1Char('|'), 0, 1), QStringLiteral("مریم|رضایی"));
    }

    void checksStopAtTheFirstEmptyField_data()
    {
        QTest::addColumn<int>("filled");  // how many fields, in check order, are filled
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing") << 0 << RegistryText::NeedCode << QStringLiteral("Text11");
        QTest::newRow("code") << 1 << RegistryText::NeedFirstName << QStringLiteral("Text6");
        QTest::newRow("first name") << 2 << RegistryText::NeedLastName << QStringLiteral("Text4");
        QTest::newRow("last name") << 3 << RegistryText::NeedGender << QStringLiteral("Combo2");
        QTest::newRow("gender") << 4 << RegistryText::NeedAge << QStringLiteral("Text5");
        QTest::newRow("age") << 5 << RegistryText::NeedMarital << QStringLiteral("Combo1");
        QTest::newRow("marital status") << 6 << RegistryText::NeedGroup << QStringLiteral("Combo3");
        QTest::newRow("group") << 7 << RegistryText::NeedEducation << QStringLiteral("Text7");
    }

    void checksStopAtTheFirstEmptyField()
    {
        QFETCH(int, filled);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        // A single space counts as filled.
        const QList<std::function<void()>> steps{
            [&] { type(window, "Text11", QStringLiteral("5")); },
            [&] { type(window, "Text6", QStringLiteral(" ")); },
            [&] { type(window, "Text4", QStringLiteral(" ")); },
            [&] { pick(window, "Combo2", 0); },
            [&] { type(window, "Text5", QStringLiteral("3")); },
            [&] { pick(window, "Combo1", 0); },
            [&] { pick(window, "Combo3", 0); },
        };
        for (int i = 0; i < filled; ++i)
            steps.at(i)();
        click(window, "Command8");
        QCOMPARE(scripted.notices(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(control(window, "Frame10")->isVisible());
        QCOMPARE(count(folder, "ide") + count(folder, "Answer"), 0);
    }

    void listsKeepThePreviousChoicesButNotAfterStart()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        {
            Frm1 window;
            window.show();
            click(window, "Command1");
            fill(window, Subject());
            click(window, "Command8");
            click(window, "Command1");
            // Lists left as they are: their mirrors start empty, the save takes the lists' items.
            QCOMPARE(control<QLineEdit>(window, "Text16")->text(), QString());
            fill(window, withListsUntouched(QStringLiteral("2048")));
            click(window, "Command8");
            QCOMPARE(scripted.notices(), QStringList());
            QCOMPARE(row(folder, QStringLiteral("2048")).section(QLatin1Char('|'), 3, 5), QStringLiteral("متأهل|زن|C"));
        }
        Frm1 restarted;
        restarted.show();
        QVERIFY(QTest::qWaitForWindowExposed(&restarted));
        click(restarted, "Command1");
        fill(restarted, withListsUntouched(QStringLiteral("4096")));
        click(restarted, "Command8");
        QCOMPARE(scripted.notices(), QStringList{RegistryText::NeedGender});
        QCOMPARE(count(folder, "ide"), 2);
    }

    void cancelAndOtherMenuButtonsStoreNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("cancel") << QStringLiteral("Command10");
        QTest::newRow("settings") << QStringLiteral("Command9");
        QTest::newRow("calculator") << QStringLiteral("Command5");
        QTest::newRow("about") << QStringLiteral("Command12");
        QTest::newRow("keying") << QStringLiteral("Command3");
        QTest::newRow("lookup") << QStringLiteral("Command4");
        QTest::newRow("register again") << QStringLiteral("Command1");
    }

    void cancelAndOtherMenuButtonsStoreNothing()
    {
        QFETCH(QString, button);
        ProgramFolder folder;
        // An earlier subject's answer row, so that keying and lookup act.
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO \"Answer\" (\"Code\") VALUES ('1')")));
        ScriptedPrompts scripted;
        const QStringList calculators = Desktop::calculatorPrograms();
        Desktop::setCalculatorPrograms({QStringLiteral("true")});
        Frm1 window;
        window.show();
        click(window, "Command1");
        fill(window, Subject());
        window.findChild<QPushButton *>(button)->click();
        const bool reopened = button == QLatin1String("Command1");
        QCOMPARE(control(window, "Frame10")->isVisible(), reopened);
        auto *subjects = window.findChild<RecordSet *>(QStringLiteral("Adodc2"));
        QCOMPARE(subjects->isOnNewRow(), reopened);
        if (reopened) {
            QCOMPARE(control<QLineEdit>(window, "Text11")->text(), QString());
        } else {
            QVERIFY(!subjects->hasPendingChanges());
            QCOMPARE(subjects->count(), 0);
            QVERIFY(!subjects->commit());
        }
        click(window, "Command10");
        QVERIFY(!subjects->isOnNewRow());
        QVERIFY(!subjects->hasPendingChanges());
        QCOMPARE(count(folder, "ide"), 0);
        QCOMPARE(count(folder, "Answer"), 1);
        QCOMPARE(scripted.shown().size(), 0);
        Desktop::setCalculatorPrograms(calculators);
    }

    // Read right to left, each caption sits just right of its own box, clearly nearer to it than to
    // the box beyond, and shows its whole text.
    void captionsStandByTheirOwnBoxes_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("beyond");  // the box to the caption's right, if any
        QTest::newRow("code") << "SkinLbl" << "Text11" << QString();
        QTest::newRow("first name") << "SkinLabel3" << "Text6" << "Text11";
        QTest::newRow("last name") << "SkinLabel21_0" << "Text4" << "Text6";
        QTest::newRow("age") << "SkinLabel21_3" << "Text5" << QString();
        QTest::newRow("marital status") << "SkinLabel21_4" << "Combo1" << "Text5";
        QTest::newRow("date") << "SkinLabel21_6" << "Text8" << "Combo1";
        QTest::newRow("time") << "SkinLabel21_7" << "Text9" << "Text8";
        QTest::newRow("gender") << "SkinLabel21_2" << "Combo2" << QString();
        QTest::newRow("group") << "SkinLabel21_1" << "Combo3" << "Combo2";
        QTest::newRow("education") << "SkinLabel21_5" << "Text7" << "Combo3";
    }

    void captionsStandByTheirOwnBoxes()
    {
        QFETCH(QString, caption);
        QFETCH(QString, box);
        QFETCH(QString, beyond);
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        auto *panel = control(window, "Frame10");
        auto *label = panel->findChild<QLabel *>(caption);
        auto *own = panel->findChild<QWidget *>(box);
        QVERIFY(label && own);
        const QRect text = label->geometry();
        // The blank that leads each caption may fall outside; the letters may not.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text().trimmed()) <= text.width(), qPrintable(caption));
        const int gapToOwn = text.left() - own->geometry().right();
        QVERIFY2(gapToOwn >= 0 && gapToOwn <= 8, qPrintable(QString::number(gapToOwn)));
        if (!beyond.isEmpty()) {
            const int gapBeyond = panel->findChild<QWidget *>(beyond)->geometry().left() - text.right();
            QVERIFY2(gapBeyond > gapToOwn, qPrintable(QStringLiteral("%1 against %2").arg(gapBeyond).arg(gapToOwn)));
        }
    }

    void ageTakesDigitsOnly()
    {
        RegistrationSession session;
        auto &[folder, scripted, window] = session;
        auto *age = control<QLineEdit>(window, "Text5");
        type(window, "Text5", QStringLiteral("3"));
        typeText(age, QStringLiteral("a"));
        QCOMPARE(age->text(), QStringLiteral("3"));
        QCOMPARE(scripted.notices(), QStringList{QStringLiteral("شما بايد عدد وارد كنيد")});
        typeText(age, QStringLiteral("45"));
        QCOMPARE(age->text(), QStringLiteral("34"));  // two characters at most
        // A full box refuses a further digit quietly: the digit is no mistake.
        QApplication::processEvents();
        QCOMPARE(scripted.notices().size(), 1);
        QTest::keyClick(age, Qt::Key_Backspace);
        QCOMPARE(age->text(), QStringLiteral("3"));
        // Pasted text is held to the same rule.
        age->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("4x"));
        age->paste();
        QApplication::processEvents();
        QCOMPARE(age->text(), QString());
        QCOMPARE(scripted.notices().size(), 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("42"));
        age->paste();
        QApplication::processEvents();
        QCOMPARE(age->text(), QStringLiteral("42"));
        QCOMPARE(scripted.notices().size(), 2);
    }
};

QObject *makeTestRegistration()
{
    return new TestRegistration;
}

#include "tst_registration.moc"
