#include "scoring/frmklid.h"

#include "preview/reportpreview.h"
#include "scoring/scoringtext.h"
#include "store/database.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"
#include "ui/storeerror.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSet>
#include <QTest>

namespace {

// A subject as registration stores it, with answers given as one text per item.
void addSubject(const QString &code, const QStringList &answers, const QString &group = QStringLiteral("A"),
                bool registered = true)
{
    QVERIFY(addSubjects({{.code = code, .firstName = QStringLiteral("مینا"), .lastName = QStringLiteral("رحیمی"),
                          .age = QStringLiteral("34"), .education = QStringLiteral("کارشناسی"), .sex = QStringLiteral("زن"),
                          .marital = QStringLiteral("متاهل"), .group = group, .answers = answers, .registered = registered}}));
}

QStringList same(const QString &answer)
{
    return QStringList(20, answer);
}

QVariant storedScore(ProgramFolder &folder, const QString &code)
{
    return folder.scalar(QStringLiteral("SELECT \"Nomre\" FROM \"ide\" WHERE \"Code\" = '%1'").arg(code));
}

// The last of texts, or nothing when there is none, so a missing box fails the check instead of the run.
QString lastOf(const QStringList &texts)
{
    return texts.isEmpty() ? QString() : texts.last();
}

QList<ReportPreview *> previews()
{
    QList<ReportPreview *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<ReportPreview *>(window); preview && preview->isVisible())
            found << preview;
    return found;
}

void closePreviews()
{
    for (ReportPreview *preview : previews())
        preview->close();
    QApplication::processEvents();
}

// The text a report shows for an item on its first page.
QString shownText(const ReportPreview *preview, const QString &item)
{
    for (const Report::PlacedItem &placed : preview->reportLayout().page(0).items)
        if (placed.item->name == item)
            return placed.text;
    return QStringLiteral("(no %1)").arg(item);
}

// The clinic's details as Frame9 stores them, in place before the window reads them.
struct ClinicRow {
    ClinicRow(ProgramFolder &folder, const QString &name, const QString &address)
    {
        QSqlQuery query(Store::database());
        query.prepare(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = ?, \"Adress\" = ?"));
        query.addBindValue(name);
        query.addBindValue(address);
        written = folder.isValid() && query.exec();
    }
    bool written = false;
};

struct Keying {
    ProgramFolder folder;
    ClinicRow clinic;
    ScriptedPrompts scripted;
    FrmkLID window;
    explicit Keying(const QString &clinicName = QString(), const QString &address = QString())
        : clinic(folder, clinicName, address)
    {
        window.show();
    }
    ~Keying() { closePreviews(); }

    QString text(const char *box) const { return control<QLineEdit>(window, box)->text(); }
    // Selects and scores code through the window's button; refused, when an
    // error box is to come instead of the score.
    enum Outcome { Notice, ErrorBox };
    void select(const QString &code, Outcome outcome = Notice)
    {
        scripted.expectInput(code);
        if (outcome == ErrorBox)
            scripted.expectMessage();
        click(window, "Command1");
    }
};

}  // namespace

class TestFrmkLID : public QObject
{
    Q_OBJECT

private slots:
    void opensInItsPlaceAndTheme()
    {
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QStringLiteral("8")));
        ScriptedPrompts scripted;
        FrmkLID window;
        window.show();
        QCOMPARE(window.pos(), twipsPoint(2340, 765));
        QCOMPARE(window.skin().fileName(), SkinFileForTheme(8));
        QCOMPARE(control(window, "Frame2")->geometry(), twipsRect(1380, 1080, 7635, 4935));
        QVERIFY(!control(window, "Frame2")->isVisible());
        QVERIFY(window.selectedSubject().isEmpty());
        for (const char *caption : {"Command1", "Command6", "Command3", "Command2", "Command4"})
            QVERIFY(control<QPushButton>(window, caption)->isVisible());
        QCOMPARE(control<QPushButton>(window, "Command3")->text(), ScoringText::Command3Caption);
    }

    // Tab goes from button to button: the subject's shown details, which
    // nothing can be typed into, are no stops of it.
    void tabPassesTheShownDetailsBy()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        FrmkLID window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSet<QString> reached;
        control(window, "Command1")->setFocus();
        for (int step = 0; step < 12; ++step) {
            reached << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const char *button : {"Command1", "Command6", "Command3", "Command2"})
            QVERIFY2(reached.contains(QLatin1String(button)), button);
        for (const char *box : {"Text15", "Text3", "Text12", "Text10", "Text6", "Text11", "Text7", "Text8", "Text9"})
            QVERIFY2(!reached.contains(QLatin1String(box)), box);
    }

    void scoresAndStores_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("score");
        QTest::newRow("all strongly agree") << same(QStringLiteral("4")) << QStringLiteral("80");
        QTest::newRow("all strongly disagree") << same(QStringLiteral("1")) << QStringLiteral("20");
        QStringList mixed = same(QStringLiteral("2"));
        mixed[0] = QStringLiteral(" 3 ");
        mixed[19] = QStringLiteral("4");
        QTest::newRow("blanks around an answer") << mixed << QStringLiteral("43");
    }
    void scoresAndStores()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, score);
        Keying keying;
        addSubject(QStringLiteral("301"), answers);
        keying.select(QStringLiteral("301"));
        QCOMPARE(keying.scripted.shown().first().text, ScoringText::CodePrompt);
        QCOMPARE(keying.scripted.shown().first().caption, ScoringText::CodeTitle);
        QCOMPARE(storedScore(keying.folder, QStringLiteral("301")).toString(), score);
        QCOMPARE(keying.text("Text2"), score);
        QCOMPARE(keying.window.selectedSubject(), QStringLiteral("301"));
        QCOMPARE(keying.text("Text15"), QStringLiteral("301"));
        QCOMPARE(keying.scripted.notices(), QStringList{ScoringText::Scored});
    }

    // Anything but 1 to 4 leaves an item unanswered, and nothing is stored.
    void refusesUnansweredItems_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("empty field") << QString();
        QTest::newRow("empty text") << QStringLiteral("");
        QTest::newRow("a blank") << QStringLiteral(" ");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("five") << QStringLiteral("5");
        QTest::newRow("a letter") << QStringLiteral("x");
        QTest::newRow("two digits") << QStringLiteral("34");
    }
    void refusesUnansweredItems()
    {
        QFETCH(QString, content);
        Keying keying;
        QStringList answers = same(QStringLiteral("3"));
        answers[0] = content;
        answers[19] = content;
        addSubject(QStringLiteral("302"), answers);
        keying.select(QStringLiteral("302"), Keying::ErrorBox);
        QVERIFY(!keying.scripted.shown().isEmpty());
        const ScriptedPrompts::Shown &shown = keying.scripted.shown().last();
        QCOMPARE(shown.caption, ScoringText::ErrorCaption);
        QCOMPARE(shown.icon, Prompts::Icon::Exclamation);
        QCOMPARE(shown.text, ScoringText::Unanswered + QStringLiteral("\r\n\r\n 1   20  "));
        QVERIFY(storedScore(keying.folder, QStringLiteral("302")).isNull());
        QVERIFY(keying.window.selectedSubject().isEmpty());
        QVERIFY(keying.scripted.notices().isEmpty());
    }

    void scoringAgainOverwrites()
    {
        Keying keying;
        addSubject(QStringLiteral("303"), same(QStringLiteral("2")));
        keying.select(QStringLiteral("303"));
        QCOMPARE(storedScore(keying.folder, QStringLiteral("303")).toString(), QStringLiteral("40"));
        QVERIFY(keying.folder.exec(QStringLiteral("UPDATE \"Answer\" SET \"7\" = '4' WHERE \"Code\" = '303'")));
        keying.select(QStringLiteral("303"));
        QCOMPARE(storedScore(keying.folder, QStringLiteral("303")).toString(), QStringLiteral("42"));
        QCOMPARE(keying.scripted.notices(), QStringList(2, ScoringText::Scored));
    }

    // A selection that stops keeps the subject scored before, and its stored score.
    void stoppedSelectionKeepsTheSelectedSubject()
    {
        Keying keying;
        addSubject(QStringLiteral("304"), same(QStringLiteral("4")));
        QStringList incomplete = same(QStringLiteral("1"));
        incomplete[2] = QString();
        incomplete[11] = QString();
        addSubject(QStringLiteral("305"), incomplete);
        keying.select(QStringLiteral("304"));
        keying.scripted.clear();

        keying.select(QString());
        QCOMPARE(keying.scripted.notices(), QStringList{ScoringText::CodeRequired});
        keying.select(QStringLiteral("999"));
        QCOMPARE(lastOf(keying.scripted.notices()), ScoringText::NoSuchSubject);
        keying.select(QStringLiteral("305"), Keying::ErrorBox);
        QVERIFY(lastOf(keying.scripted.messages()).endsWith(QStringLiteral("\r\n\r\n 3   12  ")));

        QCOMPARE(keying.window.selectedSubject(), QStringLiteral("304"));
        QCOMPARE(keying.text("Text2"), QStringLiteral("80"));
        QCOMPARE(storedScore(keying.folder, QStringLiteral("304")).toString(), QStringLiteral("80"));
        QVERIFY(storedScore(keying.folder, QStringLiteral("305")).isNull());
        // The details show the code typed last, as far as the selection went.
        QCOMPARE(keying.text("Text15"), QStringLiteral("305"));
    }

    void answersWithoutRegistrationAreNotScored()
    {
        Keying keying;
        addSubject(QStringLiteral("306"), same(QStringLiteral("4")));
        keying.select(QStringLiteral("306"));
        addSubject(QStringLiteral("307"), same(QStringLiteral("3")), QStringLiteral("A"), false);
        keying.select(QStringLiteral("307"), Keying::ErrorBox);
        QVERIFY(lastOf(keying.scripted.messages()).contains(QStringLiteral("307")));
        QCOMPARE(keying.folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 1);
        QCOMPARE(keying.window.selectedSubject(), QStringLiteral("306"));
        QCOMPARE(keying.scripted.notices(), QStringList{ScoringText::Scored});
    }

    void refusedScoreIsReportedWithItsCause()
    {
        Keying keying;
        addSubject(QStringLiteral("308"), same(QStringLiteral("4")));
        addSubject(QStringLiteral("309"), same(QStringLiteral("3")));
        keying.select(QStringLiteral("308"));
        QVERIFY(keying.folder.refuse(QStringLiteral("ide"), QStringLiteral("UPDATE"), QStringLiteral("refused by the test")));
        keying.scripted.clear();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: store: .*refused by the test")));
        keying.select(QStringLiteral("309"), Keying::ErrorBox);
        QCOMPARE(lastOf(keying.scripted.messages()), StoreFailureText(StoreFailure::Other, QString()));
        QVERIFY(keying.scripted.notices().isEmpty());
        QVERIFY(storedScore(keying.folder, QStringLiteral("309")).isNull());
        QCOMPARE(keying.window.selectedSubject(), QStringLiteral("308"));
        QCOMPARE(keying.text("Text2"), QStringLiteral("80"));
    }

    void helpPanel()
    {
        Keying keying;
        auto *help = control(keying.window, "Frame2");
        QVERIFY(!help->isVisible());
        click(keying.window, "Command2");
        QVERIFY(help->isVisible());
        const QString text = control<QPlainTextEdit>(keying.window, "Text21")->toPlainText();
        QCOMPARE(text.count(QStringLiteral(" \n")), 6);
        QVERIFY(text.endsWith(QStringLiteral("کليک کنيد\n")));
        QCOMPARE(ScoringText::HelpText.count(QStringLiteral("\r\n")), 7);
        click(keying.window, "Command7");
        QVERIFY(!help->isVisible());
    }

    void cardNeedsASelectionEachTime()
    {
        Keying keying;
        addSubject(QStringLiteral("310"), same(QStringLiteral("4")), QStringLiteral("C"));
        click(keying.window, "Command6");
        QVERIFY(!keying.scripted.shown().isEmpty());
        QCOMPARE(keying.scripted.shown().last().periodMs, 2000);
        QCOMPARE(keying.scripted.notices(), QStringList{ScoringText::NothingSelected});
        QVERIFY(previews().isEmpty());

        keying.select(QStringLiteral("310"));
        click(keying.window, "Command6");
        QCOMPARE(previews().size(), 1);
        QVERIFY(keying.window.selectedSubject().isEmpty());
        click(keying.window, "Command6");
        QCOMPARE(lastOf(keying.scripted.notices()), ScoringText::NothingSelected);
        QCOMPARE(previews().size(), 1);
    }

    // After a selection that stopped short, the card is still the scored subject's, whole.
    void cardShowsTheScoredSubjectsStoredRow()
    {
        Keying keying(QString(), QStringLiteral("خیابان آزادی، پلاک ۱۲"));
        QVERIFY(keying.clinic.written);
        addSubject(QStringLiteral("311"), same(QStringLiteral("3")), QStringLiteral("C"));
        QVERIFY(keying.folder.exec(QStringLiteral("UPDATE \"ide\" SET \"Sen\" = '41' WHERE \"Code\" = '311'")));
        QStringList incomplete = same(QStringLiteral("2"));
        incomplete[4] = QString();
        addSubject(QStringLiteral("312"), incomplete, QStringLiteral("D"));
        keying.select(QStringLiteral("311"));
        keying.select(QStringLiteral("312"), Keying::ErrorBox);
        QCOMPARE(keying.text("Text15"), QStringLiteral("312"));

        click(keying.window, "Command6");
        QCOMPARE(previews().size(), 1);
        const ReportPreview *card = previews().first();
        QCOMPARE(card->reportLayout().pageCount(), 1);
        const QList<std::pair<QString, QString>> expected = {
            {QStringLiteral("Label15"), QStringLiteral("311")},  {QStringLiteral("Label16"), QStringLiteral("C")},
            {QStringLiteral("Label19"), QStringLiteral("41")},   {QStringLiteral("Label20"), QStringLiteral("زن")},
            {QStringLiteral("Label21"), QStringLiteral("متاهل")}, {QStringLiteral("Label22"), QStringLiteral("کارشناسی")},
            {QStringLiteral("Label23"), QStringLiteral("60")},
            {QStringLiteral("Label29"), QStringLiteral("خیابان آزادی، پلاک ۱۲")},
            {QStringLiteral("Label7"), QStringLiteral("گروه")},
        };
        for (const auto &[label, text] : expected)
            QCOMPARE(shownText(card, label), text);
    }

    // Every registered subject has a line, scored or not, numbered from 1.
    void tableListsEverySubject()
    {
        Keying keying(QStringLiteral("مرکز مشاوره نمونه"), QStringLiteral("میدان انقلاب"));
        QVERIFY(keying.clinic.written);
        addSubject(QStringLiteral("320"), same(QStringLiteral("4")));
        addSubject(QStringLiteral("321"), same(QStringLiteral("1")));
        addSubject(QStringLiteral("322"), same(QStringLiteral("2")));
        keying.select(QStringLiteral("321"));
        for (int run = 0; run < 2; ++run) {
            click(keying.window, "Command3");
            QCOMPARE(previews().size(), 1);
            const ReportPreview *table = previews().first();
            QCOMPARE(shownText(table, QStringLiteral("Label9")), QStringLiteral("مرکز مشاوره نمونه"));
            QStringList lines;
            for (const Report::PlacedItem &placed : table->reportLayout().page(0).items)
                if (placed.item->name == u"Text1" || placed.item->name == u"txtCode" || placed.item->name == u"Text2")
                    lines << placed.text;
            QCOMPARE(lines, (QStringList{QStringLiteral("1"), QStringLiteral("320"), QString(),
                                         QStringLiteral("2"), QStringLiteral("321"), QStringLiteral("20"),
                                         QStringLiteral("3"), QStringLiteral("322"), QString()}));
            QCOMPARE(shownText(table, QStringLiteral("Label14")), QStringLiteral("میدان انقلاب"));
            closePreviews();
        }
        // The result box still shows the subject scored here.
        QCOMPARE(keying.text("Text2"), QStringLiteral("20"));
    }
};

QObject *makeTestFrmkLID()
{
    return new TestFrmkLID;
}

#include "tst_frmklid.moc"
