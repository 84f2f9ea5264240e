#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/frmskin.h"
#include "app/programshell.h"
#include "app/themelistpanel.h"
#include "backup/frmbackup.h"
#include "support/controls.h"
#include "support/modalguard.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"
#include "ui/picturebox.h"
#include "ui/skin.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>

namespace {

struct Leaving {
    ProgramFolder folder;
    ScriptedPrompts scripted;
    ProgramShell shell;
    QSignalSpy ends{&shell, &ProgramShell::programEnds};

    // Starts the program's main window and leaves it by its exit button.
    exitpro *leave()
    {
        Frm1 *main = shell.startMainWindow();
        click(main, "Command6");
        QApplication::processEvents();
        return shell.exitConfirmation();
    }
};

// Counts the requests to quit that reach the application.
struct QuitWatcher : QObject {
    int count = 0;
    QuitWatcher() { qApp->installEventFilter(this); }
    ~QuitWatcher() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            ++count;
        return false;
    }
};

void press(exitpro *window, const char *face)
{
    emit control<PictureBox>(window, face)->clicked();
}

// The first shown window with the given object name, or of the given class.
QWidget *shownWindow(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (widget->objectName() == QLatin1String(name) || widget->inherits(name)))
            return widget;
    return nullptr;
}

// Runs body inside the application's event loop, as the running program
// does; true once body has run and the program was not asked to quit.
// quits counts the requests to quit; code is what the loop returned.
struct RunningProgram {
    QuitWatcher quits;
    int code = -1;
    bool finished = false;

    // Lets the program run its events; false once it was asked to quit.
    bool settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return quits.count == 0;
    }
    // The loop returns 42 when body ran to its end, 1 when it stopped short,
    // and what the program's own quitting gives when it was asked to quit.
    void run(const std::function<bool()> &body)
    {
        QTimer::singleShot(0, qApp, [&] {
            finished = body();
            if (quits.count == 0)
                QApplication::exit(finished ? 42 : 1);
        });
        code = QApplication::exec();
    }
};

}  // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void confirmWithoutBackupEndsTheProgram()
    {
        Leaving leaving;
        QPointer<exitpro> confirmation = leaving.leave();
        QVERIFY(confirmation && confirmation->isVisible());
        QVERIFY(!leaving.shell.mainWindow());
        press(confirmation, "k2");
        QCOMPARE(leaving.ends.size(), 1);
        QVERIFY(!leaving.shell.backupWindow());
        QVERIFY(leaving.scripted.shown().isEmpty());
    }

    void confirmWithBackupHandsOverToTheBackupWindow()
    {
        Leaving leaving;
        exitpro *confirmation = leaving.leave();
        control<QCheckBox>(confirmation, "Check1")->setChecked(true);
        press(confirmation, "k2");
        QPointer<Frmbackup> backup = leaving.shell.backupWindow();
        QVERIFY(backup && backup->isVisible());
        QVERIFY(!confirmation->isVisible());
        QCOMPARE(leaving.ends.size(), 0);
        backup->close();
        QCOMPARE(leaving.ends.size(), 1);
    }

    void cancelStartsAFreshMainWindow()
    {
        Leaving leaving;
        QVERIFY(leaving.folder.setTheme(QStringLiteral("4")));
        QPointer<exitpro> confirmation = leaving.leave();
        press(confirmation, "C2");
        QTRY_VERIFY(!confirmation);
        Frm1 *main = leaving.shell.mainWindow();
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->skin().fileName(), SkinFileForTheme(4));
        for (const char *panel : {"Frame6", "Frame8", "Frame9", "Frame10"})
            QVERIFY(!control(main, panel)->isVisible());
        QCOMPARE(leaving.ends.size(), 0);
    }

    void closingTheConfirmationEndsTheProgram()
    {
        Leaving leaving;
        leaving.leave()->close();
        QCOMPARE(leaving.ends.size(), 1);
    }

    // Closing any window the program opens, in any order, never ends the
    // program: only its own course does. Run inside the application's event
    // loop, where Qt would quit when the last window closed.
    void closingWindowsNeverEndsTheProgram()
    {
        Leaving leaving;
        QVERIFY(addSubjects({{.code = QStringLiteral("71"), .group = QStringLiteral("C"), .score = QStringLiteral("50"),
                              .answers = QStringList()}}));
        QuitWatcher quits;
        QStringList steps;
        // Lets the program run its events; false (and the run stopped) once it was asked to quit.
        const auto settle = [&] {
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents();
            if (quits.count == 0)
                return true;
            steps << QStringLiteral("quit");
            QApplication::exit(1);
            return false;
        };
        const auto preview = []() -> QWidget * {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (widget->inherits("ReportPreview") && widget->isVisible())
                    return widget;
            return nullptr;
        };
        QTimer::singleShot(0, qApp, [&] {
            Frm1 *main = leaving.shell.startMainWindow();
            if (!settle())
                return;
            // Keying, all subjects printed, the preview closed first, then keying.
            click(main, "Command3");
            if (!settle())
                return;
            QWidget *keying = main->findChild<QWidget *>(QStringLiteral("FrmkLID"));
            click(keying, "Command3");
            if (!settle())
                return;
            steps << QStringLiteral("keying preview %1").arg(preview() != nullptr);
            if (QWidget *shown = preview())
                shown->close();
            if (!settle())
                return;
            steps << QStringLiteral("after preview %1").arg(quits.count);
            keying->close();
            if (!settle())
                return;
            // Lookup, a group printed, the lookup window closed first, then the preview.
            click(main, "Command4");
            if (!settle())
                return;
            QWidget *lookup = main->findChild<QWidget *>(QStringLiteral("FrmCode"));
            auto *group = control<QComboBox>(lookup, "Combo3");
            group->setFocus();
            QTest::keyClicks(group, QStringLiteral("C"));
            click(lookup, "Command1");
            if (!settle())
                return;
            steps << QStringLiteral("lookup preview %1").arg(preview() != nullptr);
            lookup->close();
            if (!settle())
                return;
            if (QWidget *shown = preview())
                shown->close();
            if (!settle())
                return;
            // The main window closed for a new theme, and its confirmation closed by its close box.
            main->setClosing(Frm1::Closing::ForThemeChange);
            main->close();
            if (!settle())
                return;
            if (Frmskin *skin = leaving.shell.themeConfirmation())
                skin->close();
            if (!settle())
                return;
            steps << QStringLiteral("main again %1").arg(leaving.shell.mainWindow() && leaving.shell.mainWindow()->isVisible());
            QApplication::exit(42);
        });
        const int code = QApplication::exec();
        QCOMPARE(steps, (QStringList{QStringLiteral("keying preview 1"), QStringLiteral("after preview 0"),
                                     QStringLiteral("lookup preview 1"), QStringLiteral("main again 1")}));
        QCOMPARE(quits.count, 0);
        QCOMPARE(code, 42);
        QCOMPARE(leaving.ends.size(), 0);
    }

    // Each ending the program's course offers ends the running program.
    void eachEndingEndsTheRunningProgram_data()
    {
        QTest::addColumn<QString>("ending");
        for (const char *ending : {"confirmed without a backup", "confirmation closed by its close box",
                                   "backup window closed"})
            QTest::newRow(ending) << QString::fromLatin1(ending);
    }
    void eachEndingEndsTheRunningProgram()
    {
        QFETCH(QString, ending);
        Leaving leaving;
        RunningProgram program;
        bool leftRunning = false;
        program.run([&] {
            exitpro *confirmation = leaving.leave();
            if (ending == u"confirmed without a backup") {
                press(confirmation, "k2");
            } else if (ending == u"confirmation closed by its close box") {
                confirmation->close();
            } else {
                control<QCheckBox>(confirmation, "Check1")->setChecked(true);
                press(confirmation, "k2");
                if (!program.settle())
                    return false;
                if (Frmbackup *backup = leaving.shell.backupWindow())
                    backup->close();
            }
            leftRunning = program.settle();
            return leftRunning;
        });
        QVERIFY(!leftRunning);
        QCOMPARE(program.quits.count, 1);
        QCOMPARE(program.code, 0);
    }

    // Whatever windows the operator opens from the main window and closes,
    // in whatever order, the program runs on with its main window shown.
    void closingWindowsInAnyOrderLeavesTheProgramRunning_data()
    {
        QTest::addColumn<QStringList>("steps");
        const auto row = [](const char *title, std::initializer_list<const char *> steps) {
            QStringList list;
            for (const char *step : steps)
                list << QString::fromLatin1(step);
            QTest::newRow(title) << list;
        };
        row("keying preview, then keying", {"keying", "print all", "close preview", "close keying"});
        row("keying, then its preview", {"keying", "print all", "close keying", "close preview"});
        row("lookup preview, then lookup", {"lookup", "print group", "close preview", "close lookup"});
        row("lookup, then its preview", {"lookup", "print group", "close lookup", "close preview"});
        row("lookup's preview closed while keying is open",
            {"lookup", "print group", "close lookup", "keying", "close preview", "close keying"});
        row("keying's preview closed while lookup is open",
            {"keying", "print all", "close keying", "lookup", "close preview", "close lookup"});
        row("both previews closed last",
            {"keying", "print all", "close keying", "lookup", "print group", "close lookup", "close preview",
             "close preview"});
        row("introduction", {"introduction", "close introduction"});
        row("about", {"about", "close about"});
        row("question sheet", {"question sheet", "close question sheet"});
        row("test window", {"test window"});
        row("settings panel", {"settings", "close settings"});
        row("a preview open across the about window",
            {"keying", "print all", "close keying", "about", "close about", "close preview"});
        row("theme confirmation closed by its close box", {"theme", "close theme confirmation"});
        row("a preview open across a theme change",
            {"lookup", "print group", "close lookup", "theme", "close theme confirmation", "close preview"});
    }
    void closingWindowsInAnyOrderLeavesTheProgramRunning()
    {
        QFETCH(QStringList, steps);
        Leaving leaving;
        QVERIFY(addSubjects({{.code = QStringLiteral("71"), .group = QStringLiteral("C"), .score = QStringLiteral("50"),
                              .answers = QStringList()}}));
        const auto main = [&leaving] { return leaving.shell.mainWindow(); };
        const auto closeShown = [](const char *name) {
            if (QWidget *window = shownWindow(name))
                return window->close();
            return false;
        };
        const std::map<QString, std::function<bool()>> actions = {
            {QStringLiteral("keying"), [&] { click(main(), "Command3"); return shownWindow("FrmkLID") != nullptr; }},
            {QStringLiteral("print all"), [&] { click(shownWindow("FrmkLID"), "Command3"); return shownWindow("ReportPreview") != nullptr; }},
            {QStringLiteral("close keying"), [&] { return closeShown("FrmkLID"); }},
            {QStringLiteral("lookup"), [&] { click(main(), "Command4"); return shownWindow("FrmCode") != nullptr; }},
            {QStringLiteral("print group"), [&] {
                 QWidget *lookup = shownWindow("FrmCode");
                 auto *group = control<QComboBox>(lookup, "Combo3");
                 group->setCurrentIndex(group->findText(QStringLiteral("C")));
                 emit group->textActivated(QStringLiteral("C"));
                 click(lookup, "Command1");
                 return shownWindow("ReportPreview") != nullptr;
             }},
            {QStringLiteral("close lookup"), [&] { return closeShown("FrmCode"); }},
            {QStringLiteral("close preview"), [&] { return closeShown("ReportPreview"); }},
            {QStringLiteral("introduction"), [&] { click(main(), "Command11"); return shownWindow("Frmravansanji") != nullptr; }},
            {QStringLiteral("close introduction"), [&] { return closeShown("Frmravansanji"); }},
            {QStringLiteral("about"), [&] { click(main(), "Command12"); return shownWindow("About") != nullptr; }},
            {QStringLiteral("close about"), [&] { return closeShown("About"); }},
            {QStringLiteral("question sheet"), [&] { click(main(), "Command13"); return shownWindow("FrmQ") != nullptr; }},
            {QStringLiteral("close question sheet"), [&] { return closeShown("FrmQ"); }},
            {QStringLiteral("test window"), [&] {
                 // The test window runs modally: closed by its close box once shown.
                 const ExpectRealDialog modalOnPurpose;
                 bool shown = false;
                 QTimer::singleShot(0, qApp, [&shown] { shown = shownWindow("FrmTest") && shownWindow("FrmTest")->close(); });
                 leaving.scripted.expectInput(QStringLiteral("71"));
                 click(main(), "Command2");
                 return shown;
             }},
            {QStringLiteral("settings"), [&] { click(main(), "Command9"); return control(main(), "Frame8")->isVisible(); }},
            {QStringLiteral("close settings"), [&] { click(main(), "Command69"); return !control(main(), "Frame8")->isVisible(); }},
            {QStringLiteral("theme"), [&] {
                 click(main(), "Command9");
                 click(main(), "Command68");
                 emit control<ThemeListPanel>(main(), "Frame6")->themeChosen(3);
                 return leaving.shell.themeConfirmation() != nullptr;
             }},
            {QStringLiteral("close theme confirmation"), [&] { return closeShown("Frmskin"); }},
        };
        QStringList done;
        RunningProgram program;
        program.run([&] {
            leaving.shell.startMainWindow();
            if (!program.settle())
                return false;
            for (const QString &step : steps) {
                if (!actions.at(step)())
                    return false;
                if (!program.settle())
                    return false;
                done << step;
            }
            return true;
        });
        QCOMPARE(done, steps);
        QVERIFY(program.finished);
        QCOMPARE(program.quits.count, 0);
        QCOMPARE(program.code, 42);
        QVERIFY(main() && main()->isVisible());
        QCOMPARE(leaving.ends.size(), 0);
        QCOMPARE(leaving.scripted.unexpected(), QStringList());
    }

    // A main window closed only to come back in another theme asks nothing.
    void themeSwitchClosesQuietly()
    {
        Leaving leaving;
        Frm1 *main = leaving.shell.startMainWindow();
        main->setClosing(Frm1::Closing::ForThemeChange);
        main->close();
        QApplication::processEvents();
        QVERIFY(!leaving.shell.exitConfirmation());
        QCOMPARE(leaving.ends.size(), 0);
    }
};

QObject *makeTestShell()
{
    return new TestShell;
}

#include "tst_shell.moc"
