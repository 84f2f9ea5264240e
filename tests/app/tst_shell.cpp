#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/programshell.h"
#include "backup/frmbackup.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "ui/picturebox.h"
#include "ui/skin.h"

#include <QApplication>
#include <QCheckBox>
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
