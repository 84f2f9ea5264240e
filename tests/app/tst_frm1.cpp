#include "support/controls.h"
#include "app/desktop.h"
#include "app/frm1.h"
#include "app/frm1text.h"
#include "app/settingstext.h"
#include "ui/skin.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "store/recordset.h"
#include "support/scriptedprompts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QSignalSpy>
#include <QDir>
#include <QTest>

// Collects the addresses the program asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestFrm1 : public QObject
{
    Q_OBJECT

    static void hover(QWidget *widget, QPoint at = QPoint(-1, -1))
    {
        if (at == QPoint(-1, -1))
            at = widget->rect().center();
        QTest::mouseMove(widget, at);
        QApplication::processEvents();
    }

private slots:
    // The version label tells which database the program works on: the file's path, or the server's address.
    void versionLabelNamesTheStoreInUse()
    {
        ProgramFolder folder;
        Frm1 window;
        const QString tip = control(window, "SkinLabel7")->toolTip();
        if (ProgramFolder::onServer()) {
            QVERIFY2(tip.contains(QStringLiteral("postgresql://quorvel@[")), qPrintable(tip));
        } else {
            QVERIFY2(tip.contains(QDir::toNativeSeparators(folder.databasePath())), qPrintable(tip));
        }
    }

    void menuAndPanelsAreLaidOut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pointSize");
        const QString menu = QStringLiteral("Frame7");
        auto row = [&](const char *name, const QString &caption, int top, int pointSize = 12) {
            QTest::newRow(name) << QString::fromLatin1(name) << menu << caption << twipsRect(240, top, 1785, 555)
                                << pointSize;
        };
        row("Command1", Frm1Text::Command1Caption, 180);
        row("Command2", Frm1Text::Command2Caption, 780);
        row("Command3", Frm1Text::Command3Caption, 1380);
        row("Command4", Frm1Text::Command4Caption, 1980);
        row("Command11", Frm1Text::Command11Caption, 2580);
        row("Command5", Frm1Text::Command5Caption, 3180);
        row("Command13", Frm1Text::Command13Caption, 3780);
        row("Command9", Frm1Text::Command9Caption, 4380);
        row("Command12", Frm1Text::Command12Caption, 4980);
        // The longest caption of the column, a size smaller so that it fits.
        row("Command14", Frm1Text::Command14Caption, 5580, 10);
        row("Command6", Frm1Text::Command6Caption, 6300);
        const QString settings = QStringLiteral("Frame8");
        QTest::newRow("Command68") << QStringLiteral("Command68") << settings << Frm1Text::Command68Caption
                                   << twipsRect(120, 240, 1905, 555) << 12;
        QTest::newRow("Command67") << QStringLiteral("Command67") << settings << Frm1Text::Command67Caption
                                   << twipsRect(120, 840, 1905, 555) << 12;
        QTest::newRow("Command69") << QStringLiteral("Command69") << settings << Frm1Text::Command69Caption
                                   << twipsRect(480, 1500, 1185, 435) << 12;
    }

    void menuAndPanelsAreLaidOut()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(int, pointSize);
        ProgramFolder folder;
        Frm1 window;
        window.show();
        auto *button = window.findChild<QPushButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->parentWidget()->objectName(), parent);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->geometry(), geometry);
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pointSize(), pointSize);
        QCOMPARE(button->font().family(), QStringLiteral("Arial"));
        // Persian captions fit their buttons.
        QVERIFY2(button->fontMetrics().horizontalAdvance(caption) <= button->width() - 4, qPrintable(name));
    }

    void startsInItsPlaceWithEverythingHidden()
    {
        ProgramFolder folder;
        Frm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(window.size(), QSize(twips(10725), twips(8685)));
        QCOMPARE(window.pos(), twipsPoint(2340, 765));
        QCOMPARE(window.layoutDirection(), Qt::RightToLeft);
        QCOMPARE(control(window, "Frame7")->geometry(), twipsRect(8280, 540, 2235, 7095));
        QVERIFY(control(window, "Frame7")->isVisible());
        for (const char *panel : {"Frame6", "Frame8", "Frame9", "Frame10", "SkinLabel2"})
            QVERIFY2(!control(window, panel)->isVisible(), panel);
        QCOMPARE(control<QLabel>(window, "SkinLabel7")->text(), QStringLiteral("V.2.1"));
        QCOMPARE(control(window, "SkinLabel7")->geometry(), twipsRect(135, 135, 795, 330));
        QCOMPARE(control(window, "SkinLabel2")->geometry(), twipsRect(300, 7740, 9975, 615));
        QCOMPARE(control(window, "Picture1")->geometry(), twipsRect(720, 6540, 6270, 690));
        QCOMPARE(control(window, "Picture1")->toolTip(), Frm1Text::Picture1ToolTip);
        QCOMPARE(control(window, "Picture1")->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(control<QLineEdit>(window, "Text3")->text(), QStringLiteral("2"));
        QVERIFY(!control(window, "Text1")->isVisible());
        QVERIFY(!control(window, "Text3")->isVisible());
    }

    void storedThemeAndClinicNameDressTheWindow_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("skinFile");
        QTest::newRow("8") << QStringLiteral("8") << QStringLiteral("metallic.skn");
        QTest::newRow("3abc") << QStringLiteral("3abc") << QStringLiteral("galaxy.skn");
        QTest::newRow("2.5") << QStringLiteral("2.5") << QString();
        QTest::newRow("12") << QStringLiteral("12") << QString();
    }

    void storedThemeAndClinicNameDressTheWindow()
    {
        QFETCH(QString, theme);
        QFETCH(QString, skinFile);
        ProgramFolder folder;
        QVERIFY(folder.setTheme(theme));
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'مرکز مشاوره آرامش'")));
        Frm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.skin().fileName(), skinFile);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), theme);
        QCOMPARE(control<QLabel>(window, "SkinLabel1")->text(), QStringLiteral("مرکز مشاوره آرامش"));
    }

    void hoverShowsAndClearsTheHelpLine()
    {
        ProgramFolder folder;
        Frm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *help = control<QLabel>(window, "SkinLabel2");
        const struct {
            const char *button;
            QString text;
        } helped[] = {{"Command1", Frm1Text::Command1Help}, {"Command2", Frm1Text::Command2Help},
                      {"Command3", Frm1Text::Command3Help}, {"Command4", Frm1Text::Command4Help},
                      {"Command9", Frm1Text::Command9Help}, {"Command14", Frm1Text::Command14Help}};
        for (const auto &entry : helped) {
            hover(control(window, entry.button));
            QVERIFY2(help->isVisible(), entry.button);
            QCOMPARE(help->text(), entry.text);
        }
        // Buttons without help leave the line as it is.
        for (const char *quiet : {"Command11", "Command5", "Command13", "Command12", "Command6"}) {
            hover(control(window, quiet));
            QVERIFY(help->isVisible());
            QCOMPARE(help->text(), Frm1Text::Command14Help);
        }
        // The bare menu frame between two buttons clears it.
        hover(control(window, "Frame7"), twipsPoint(1000, 6210));
        QVERIFY(!help->isVisible());
        QCOMPARE(help->text(), QString());
        hover(control(window, "Command2"));
        QVERIFY(help->isVisible());
        // So does the bare window.
        hover(&window, twipsPoint(4000, 3000));
        QVERIFY(!help->isVisible());
    }

    void settingsPanelOpensAndCloses()
    {
        ProgramFolder folder;
        Frm1 window;
        window.show();
        QWidget *settings = control(window, "Frame8");
        control<QPushButton>(window, "Command9")->click();
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->geometry(), twipsRect(6060, 3780, 2175, 2055));
        control<QPushButton>(window, "Command69")->click();
        QVERIFY(!settings->isVisible());
    }

    // Each theme button shows its own theme's window and button colours.
    void themeButtonsShowTheirThemesColours()
    {
        ProgramFolder folder;
        Frm1 window;
        int theme = 1;
        for (const auto &button : SettingsText::ThemeButtons) {
            Skin skin;
            QVERIFY(skin.load(SkinFileForTheme(theme)));
            auto *choice = control<QPushButton>(window, button.name);
            QCOMPARE(choice->text(), button.caption);
            const QImage swatch = choice->icon().pixmap(choice->iconSize()).toImage();
            QVERIFY2(!swatch.isNull(), button.name);
            const QColor window = swatch.pixelColor(2, swatch.height() / 2);
            const QColor face = swatch.pixelColor(swatch.width() / 2, swatch.height() / 2);
            QCOMPARE(window.rgb(), skin.palette().color(QPalette::Window).rgb());
            QCOMPARE(face.rgb(), skin.palette().color(QPalette::Button).rgb());
            ++theme;
        }
    }

    void keyingAndLookupAreSilentWithoutSubjects_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("keying") << QStringLiteral("Command3");
        QTest::newRow("lookup") << QStringLiteral("Command4");
    }

    void keyingAndLookupAreSilentWithoutSubjects()
    {
        QFETCH(QString, button);
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frm1 window;
        window.show();
        control<QPushButton>(window, "Command9")->click();
        const QWidgetList before = QApplication::topLevelWidgets();
        window.findChild<QPushButton *>(button)->click();
        QVERIFY(scripted.shown().isEmpty());
        QCOMPARE(QApplication::topLevelWidgets(), before);
        QVERIFY(window.isVisible());
        // Nothing at all happened: the open panel stays open.
        QVERIFY(control(window, "Frame8")->isVisible());
    }

    // The keying, lookup and analysis windows open in place of the main window, which comes back as it was.
    void keyingAndLookupOpenAndReturn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("keying") << QStringLiteral("Command3") << QStringLiteral("FrmkLID");
        QTest::newRow("lookup") << QStringLiteral("Command4") << QStringLiteral("FrmCode");
        QTest::newRow("analysis") << QStringLiteral("Command14") << QStringLiteral("FrmAnalysis");
    }
    void keyingAndLookupOpenAndReturn()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        ProgramFolder folder;
        QVERIFY(addSubjects({{.code = QStringLiteral("1"), .answers = QStringList()}}));
        ScriptedPrompts scripted;
        Frm1 main;
        main.show();
        control<QPushButton>(main, "Command9")->click();
        main.findChild<QPushButton *>(button)->click();
        QPointer<QWidget> opened = main.findChild<QWidget *>(window);
        QVERIFY(opened && opened->isVisible() && opened->isWindow());
        QVERIFY(!main.isVisible());
        QVERIFY(!control(main, "Frame8")->isVisible());
        opened->close();
        QVERIFY(main.isVisible());
        QTRY_VERIFY(!opened);
        QVERIFY(scripted.shown().isEmpty());
    }

    // The introduction, the question sheet and About open over the main window, which waits.
    void informationWindowsOpenOverTheMainWindow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("introduction") << QStringLiteral("Command11") << QStringLiteral("Frmravansanji");
        QTest::newRow("question sheet") << QStringLiteral("Command13") << QStringLiteral("FrmQ");
        QTest::newRow("about") << QStringLiteral("Command12") << QStringLiteral("About");
    }
    void informationWindowsOpenOverTheMainWindow()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        ProgramFolder folder;
        ScriptedPrompts scripted;
        Frm1 main;
        main.show();
        control<QPushButton>(main, "Command9")->click();
        main.findChild<QPushButton *>(button)->click();
        QPointer<QWidget> opened = main.findChild<QWidget *>(window);
        QVERIFY(opened && opened->isVisible() && opened->isWindow());
        QCOMPARE(opened->windowModality(), Qt::ApplicationModal);
        QVERIFY(main.isVisible());
        // About closes the panels first; the other two leave them as they are.
        QCOMPARE(control(main, "Frame8")->isVisible(), button != u"Command12");
        opened->close();
        QTRY_VERIFY(!opened);
        QVERIFY(main.isVisible());
        QVERIFY(scripted.shown().isEmpty());
    }

    void calculatorThatCannotStartLeavesTheWindowUsable()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        const QStringList calculators = Desktop::calculatorPrograms();
        Desktop::setCalculatorPrograms({QStringLiteral("/nonexistent/calculator")});
        Frm1 window;
        window.show();
        control<QPushButton>(window, "Command5")->click();
        QCOMPARE(scripted.notices().size(), 1);
        QVERIFY(window.isVisible());
        QVERIFY(window.isEnabled());
        control<QPushButton>(window, "Command9")->click();
        QVERIFY(control(window, "Frame8")->isVisible());

        scripted.clear();
        Desktop::setCalculatorPrograms({QStringLiteral("true")});
        control<QPushButton>(window, "Command5")->click();
        QVERIFY(scripted.notices().isEmpty());
        QVERIFY(!control(window, "Frame8")->isVisible());
        Desktop::setCalculatorPrograms(calculators);
    }

    void pictureOpensTheMakersSites()
    {
        ProgramFolder folder;
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        Frm1 window;
        window.show();
        QTest::mouseClick(control(window, "Picture1"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.opened, Desktop::makerSites());
        QCOMPARE(recorder.opened.size(), 2);
        for (const QUrl &url : recorder.opened)
            QVERIFY(url.host().endsWith(QStringLiteral(".example")));
    }

    void closingTellsWhyAndDropsAnUnsavedRegistration()
    {
        ProgramFolder folder;
        {
            Frm1 window;
            window.show();
            QSignalSpy exit(&window, &Frm1::closedForExit);
            QSignalSpy quiet(&window, &Frm1::closedQuietly);
            auto *subjects = window.findChild<RecordSet *>(QStringLiteral("Adodc2"));
            QVERIFY(subjects->addNew() && subjects->setField(QStringLiteral("Code"), QStringLiteral("1")));
            control<QPushButton>(window, "Command9")->click();
            QVERIFY(subjects->addNew() && subjects->setField(QStringLiteral("Code"), QStringLiteral("2")));
            control<QPushButton>(window, "Command6")->click();
            QVERIFY(!window.isVisible());
            QCOMPARE(exit.count(), 1);
            QCOMPARE(quiet.count(), 0);
            QCOMPARE(subjects->count(), 0);
        }
        {
            Frm1 window;
            window.show();
            QSignalSpy exit(&window, &Frm1::closedForExit);
            QSignalSpy quiet(&window, &Frm1::closedQuietly);
            control<QPushButton>(window, "Command9")->click();
            window.setClosing(Frm1::Closing::ForThemeChange);
            QCOMPARE(control<QLineEdit>(window, "Text3")->text(), QStringLiteral("1"));
            auto *subjects = window.findChild<RecordSet *>(QStringLiteral("Adodc2"));
            QVERIFY(subjects->addNew() && subjects->setField(QStringLiteral("Code"), QStringLiteral("3")));
            window.close();
            QVERIFY(!subjects->isOnNewRow());
            QCOMPARE(quiet.count(), 1);
            QCOMPARE(exit.count(), 0);
            // A quiet close leaves the panels alone.
            QVERIFY(!control(window, "Frame8")->isHidden());
        }
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 0);
    }
};

QObject *makeTestFrm1()
{
    return new TestFrm1;
}

#include "tst_frm1.moc"
