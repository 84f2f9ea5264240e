#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/frmskin.h"
#include "app/programshell.h"
#include "backup/frmbackup.h"
#include "support/controls.h"
#include "support/programfolder.h"
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
        QVERIFY(leaving.folder.exec(QStringLiteral("INSERT INTO \"ide\" (\"Code\", \"Group\", \"Nomre\") VALUES ('71', 'C', '50')")));
        QVERIFY(leaving.folder.exec(QStringLiteral("INSERT INTO \"Answer\" (\"Code\") VALUES ('71')")));
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
            control<QLineEdit>(main, "Text3")->setText(QStringLiteral("1"));
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

    // A main window closed only to come back in another theme asks nothing.
    void themeSwitchClosesQuietly()
    {
        Leaving leaving;
        Frm1 *main = leaving.shell.startMainWindow();
        control<QLineEdit>(main, "Text3")->setText(QStringLiteral("1"));
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
