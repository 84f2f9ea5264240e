#pragma once

#include "administration/testlauncher.h"

#include <QObject>
#include <QPointer>

class Frm1;
class Frmbackup;
class Frmskin;
class exitpro;

// The program's course from the main window to its end: a main window
// closed for good hands over to the exit confirmation, which comes back to
// a fresh main window, ends the program, or hands over to the backup window,
// whose closing ends the program. A main window closed for a new theme hands
// over to the theme confirmation, which starts a fresh main window. The
// program ends with that course alone: the running application quits then.
class ProgramShell : public QObject
{
    Q_OBJECT

public:
    explicit ProgramShell(QObject *parent = nullptr);
    ~ProgramShell() override;

    // Starts a main window afresh and shows it.
    Frm1 *startMainWindow();

    Frm1 *mainWindow() const;
    exitpro *exitConfirmation() const;
    Frmbackup *backupWindow() const;
    Frmskin *themeConfirmation() const;

signals:
    // The program ends now: nothing more is asked.
    void programEnds();

private:
    void confirmExit();
    void confirmTheme();
    void exitConfirmed(bool withBackup);

    // One test window for the whole run, whichever main window asks for it.
    TestLauncher m_launcher;
    QPointer<Frm1> m_main;
    QPointer<exitpro> m_exit;
    QPointer<Frmbackup> m_backup;
    QPointer<Frmskin> m_skin;
};
