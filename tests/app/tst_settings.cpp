#include "app/frm1.h"
#include "app/frmskin.h"
#include "app/programshell.h"
#include "preview/reportpreview.h"
#include "scoring/frmklid.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"
#include "support/typing.h"
#include "ui/picturebox.h"
#include "ui/skin.h"
#include "ui/storeerror.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

const char *themeButton(int theme)
{
    static const char *const buttons[] = {"Command45", "Command44", "Command43", "Command42", "Command50", "Command49",
                                          "Command48", "Command47", "Command41", "Command52", "Command53"};
    return buttons[theme - 1];
}

// Stores the clinic's name and address as the operator does, through the settings panel.
void storeClinic(Frm1 &main, const QString &name, const QString &address)
{
    click(main, "Command9");
    click(main, "Command67");
    control<QLineEdit>(main, "Text2")->setText(name);
    control<QLineEdit>(main, "Text14")->setText(address);
    click(main, "Command64");
}

// The clinic's name and address on the first page of the report shown, which is then closed.
QStringList printedClinic()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *preview = qobject_cast<ReportPreview *>(window);
        if (!preview || !preview->isVisible())
            continue;
        QString name = QStringLiteral("(none)");
        QString address = QStringLiteral("(none)");
        for (const Report::PlacedItem &placed : preview->reportLayout().page(0).items) {
            if (placed.item->name == u"Label9")
                name = placed.text;
            if (placed.item->name == u"Label14")
                address = placed.text;
        }
        preview->close();
        return {name, address};
    }
    return {QStringLiteral("(no report shown)")};
}

}  // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void themeButtonStoresAndComesBackInTheNewTheme_data()
    {
        QTest::addColumn<int>("theme");
        QTest::newRow("theme 8") << 8;
        QTest::newRow("theme 1, already stored") << 1;
    }
    void themeButtonStoresAndComesBackInTheNewTheme()
    {
        QFETCH(int, theme);
        ProgramFolder folder;
        ScriptedPrompts scripted;
        ProgramShell shell;
        QSignalSpy ends(&shell, &ProgramShell::programEnds);
        Frm1 *main = shell.startMainWindow();
        click(main, "Command9");
        click(main, "Command68");
        QVERIFY(control(main, "Frame6")->isVisible());
        QCOMPARE(control(main, "Frame6")->geometry(), twipsRect(3420, 780, 2595, 7575));
        QVERIFY(control(main, "Frame8")->isVisible());
        click(main, themeButton(theme));
        QApplication::processEvents();

        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"TH\" FROM \"Theme\"")).toString(), QString::number(theme));
        QVERIFY(!shell.exitConfirmation());
        QPointer<Frmskin> confirmation = shell.themeConfirmation();
        QVERIFY(confirmation && confirmation->isVisible());
        QCOMPARE(confirmation->skin().fileName(), SkinFileForTheme(theme));
        QVERIFY(!shell.mainWindow());

        emit control<PictureBox>(confirmation, "k2")->clicked();
        QTRY_VERIFY(!confirmation);
        Frm1 *fresh = shell.mainWindow();
        QVERIFY(fresh && fresh->isVisible());
        QCOMPARE(fresh->skin().fileName(), SkinFileForTheme(theme));
        for (const char *panel : {"Frame6", "Frame8", "Frame9", "Frame10"})
            QVERIFY(!control(fresh, panel)->isVisible());
        QCOMPARE(ends.size(), 0);
        QVERIFY(scripted.shown().isEmpty());
    }

    // The theme confirmation's texts are black on its fixed teal in every
    // theme, whatever text colour the theme gives other windows.
    void confirmationTextIsBlackInEveryTheme_data()
    {
        QTest::addColumn<int>("theme");
        for (int theme = 1; theme <= 11; ++theme)
            QTest::addRow("theme %d", theme) << theme;
    }
    void confirmationTextIsBlackInEveryTheme()
    {
        QFETCH(int, theme);
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QString::number(theme)));
        ScriptedPrompts scripted;
        Frmskin window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = window.grab().toImage();
        for (const char *name : {"Label3_1", "Label3_0"}) {
            const QRect area = control(window, name)->geometry();
            // The darkest pixel of the label is its text's core.
            int darkest = 255 * 3;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QColor pixel = shown.pixelColor(x, y);
                    darkest = qMin(darkest, pixel.red() + pixel.green() + pixel.blue());
                }
            QVERIFY2(darkest < 60, qPrintable(QStringLiteral("%1 in theme %2: darkest %3").arg(QLatin1String(name)).arg(theme).arg(darkest)));
        }
    }

    void confirmFaceLightsUpAndOnlyTheLitFaceReacts()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frmskin window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pos(), twipsPoint(5000, 3500));
        QCOMPARE(window.grab().toImage().pixelColor(3, 3), QColor(0, 192, 192));
        auto *resting = control<PictureBox>(window, "k1");
        auto *lit = control<PictureBox>(window, "k2");
        QVERIFY(resting->isVisible() && !lit->isVisible());
        QSignalSpy confirmed(&window, &Frmskin::confirmed);
        QTest::mouseClick(resting, Qt::LeftButton);
        QCOMPARE(confirmed.size(), 0);
        QTest::mouseMove(resting, resting->rect().center());
        QTRY_VERIFY(lit->isVisible());
        QVERIFY(!resting->isVisible());
        QTest::mouseMove(&window, QPoint(5, 5));
        QTRY_VERIFY(resting->isVisible());
        QVERIFY(!lit->isVisible());
        emit lit->clicked();
        QCOMPARE(confirmed.size(), 1);
    }

    // The theme confirmation by keyboard: Enter, Space on its button, or
    // Escape each bring the main window back; the button is named for screen readers.
    void themeConfirmationAnswersTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void themeConfirmationAnswersTheKeyboard()
    {
        QFETCH(int, key);
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frmskin window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *button = control<PictureBox>(window, "k1");
        button->setFocus();
        QVERIFY(button->hasFocus());
        QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(button);
        QVERIFY(announced && announced->role() == QAccessible::Button && !announced->text(QAccessible::Name).isEmpty());
        QSignalSpy confirmed(&window, &Frmskin::confirmed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(confirmed.size(), 1);
        QVERIFY(!window.isVisible());
    }

    void clinicDetailsFollowTypingAndAreStoredOnSave()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        {
            Frm1 main;
            main.show();
            click(main, "Command9");
            click(main, "Command67");
            QVERIFY(control(main, "Frame9")->isVisible());
            QCOMPARE(control(main, "Frame9")->geometry(), twipsRect(1620, 840, 6075, 2295));
            auto *name = control<QLineEdit>(main, "Text2");
            name->clear();
            QString typed;
            for (const QChar letter : QStringLiteral("مرکز آوا")) {
                typeText(name, QString(letter));
                typed += letter;
                QCOMPARE(control<QLabel>(main, "SkinLabel1")->text(), typed);
            }
            control<QLineEdit>(main, "Text14")->setText(QStringLiteral("خیابان یکم"));
            click(main, "Command64");
            QVERIFY(!control(main, "Frame9")->isVisible());
            QVERIFY(control(main, "Frame8")->isVisible());
        }
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"Name\" FROM \"Theme\"")).toString(), QStringLiteral("مرکز آوا"));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"Adress\" FROM \"Theme\"")).toString(), QStringLiteral("خیابان یکم"));
        Frm1 restarted;
        restarted.show();
        QCOMPARE(control<QLabel>(restarted, "SkinLabel1")->text(), QStringLiteral("مرکز آوا"));
        QCOMPARE(control<QLineEdit>(restarted, "Text14")->text(), QStringLiteral("خیابان یکم"));

        // The reports print what was stored.
        QVERIFY(addSubjects({{.code = QStringLiteral("1")}}));
        FrmkLID keying;
        click(keying, "Command3");
        ReportPreview *table = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<ReportPreview *>(window); preview && preview->isVisible())
                table = preview;
        QVERIFY(table);
        QStringList printed;
        for (const Report::PlacedItem &placed : table->reportLayout().page(0).items)
            if (placed.item->name == u"Label9" || placed.item->name == u"Label14")
                printed << placed.text;
        QCOMPARE(printed, (QStringList{QStringLiteral("مرکز آوا"), QStringLiteral("خیابان یکم")}));
        table->close();
    }

    // The result table names the clinic as stored at the time of each print,
    // whichever window printed it and whatever an earlier print showed.
    void eachResultTableNamesTheClinicAsStoredThen()
    {
        ProgramFolder folder;
        QVERIFY(addSubjects({{.code = QStringLiteral("1"), .group = QStringLiteral("C"), .answers = QStringList()}}));
        ScriptedPrompts scripted;
        Frm1 main;
        main.show();
        const struct {
            const char *window;
            QString name;
            QString address;
        } prints[] = {
            {"keying", QStringLiteral("مرکز اول"), QStringLiteral("نشانی اول")},
            {"lookup", QStringLiteral("مرکز دوم"), QStringLiteral("نشانی دوم")},
            {"lookup", QString(), QStringLiteral("نشانی سوم")},
            {"keying", QStringLiteral("مرکز چهارم"), QString()},
            {"lookup", QStringLiteral("مرکز پنجم"), QStringLiteral("نشانی پنجم")},
            {"keying", QStringLiteral("مرکز ششم"), QStringLiteral("نشانی ششم")},
        };
        for (const auto &print : prints) {
            storeClinic(main, print.name, print.address);
            const bool keying = qstrcmp(print.window, "keying") == 0;
            click(main, keying ? "Command3" : "Command4");
            QWidget *window = main.findChild<QWidget *>(QLatin1String(keying ? "FrmkLID" : "FrmCode"));
            QVERIFY(window && window->isVisible());
            if (keying) {
                click(window, "Command3");
            } else {
                auto *group = control<QComboBox>(window, "Combo3");
                group->setCurrentIndex(group->findText(QStringLiteral("C")));
                emit group->textActivated(QStringLiteral("C"));
                click(window, "Command1");
            }
            QCOMPARE(printedClinic(), (QStringList{print.name, print.address}));
            window->close();
            QApplication::processEvents();
            QVERIFY(main.isVisible());
        }
        QCOMPARE(scripted.unexpected(), QStringList());
    }

    void cancelStoresNothingAndKeepsTheTypedText()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frm1 main;
        main.show();
        click(main, "Command9");
        click(main, "Command67");
        control<QLineEdit>(main, "Text2")->setText(QStringLiteral("نام تازه"));
        click(main, "Command7");
        QVERIFY(!control(main, "Frame9")->isVisible());
        QCOMPARE(control<QLabel>(main, "SkinLabel1")->text(), QStringLiteral("نام تازه"));
        QCOMPARE(control<QLineEdit>(main, "Text2")->text(), QStringLiteral("نام تازه"));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT \"Name\" FROM \"Theme\"")).toString(), QString());
    }

    void refusedSaveKeepsThePanelAndTheText()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        QVERIFY(folder.refuse(QStringLiteral("Theme"), QStringLiteral("UPDATE"), QStringLiteral("refused by the test")));
        Frm1 main;
        main.show();
        click(main, "Command9");
        click(main, "Command67");
        control<QLineEdit>(main, "Text2")->setText(QStringLiteral("نام تازه"));
        scripted.expectMessage();
        // The store's words go to the error output; the window tells the cause in Persian.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: store: .*refused by the test")));
        click(main, "Command64");
        QCOMPARE(scripted.messages().value(0), StoreFailureText(StoreFailure::Other, QString()));
        QVERIFY(control(main, "Frame9")->isVisible());
        QCOMPARE(control<QLineEdit>(main, "Text2")->text(), QStringLiteral("نام تازه"));
    }
};

QObject *makeTestSettings()
{
    return new TestSettings;
}

#include "tst_settings.moc"
