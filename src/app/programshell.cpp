#include "app/programshell.h"

#include "app/exitpro.h"
#include "app/frm1.h"
#include "app/frmskin.h"
#include "backup/frmbackup.h"
#include "ui/twips.h"

#include <QApplication>

ProgramShell::ProgramShell(QObject *parent) : QObject(parent)
{
    // The program ends by its own course (the exit confirmation, the backup
    // window), never because the windows that happen to be visible closed:
    // a preview, for one, belongs to no window, and the keying window to a
    // hidden main window.
    QApplication::setQuitOnLastWindowClosed(false);
    // Leaving the program ends it at once, whatever is still open beside,
    // such as report previews; once the handler that decided it has returned,
    // and only while this course still runs.
    connect(this, &ProgramShell::programEnds, this, [] { QApplication::quit(); }, Qt::QueuedConnection);
}

ProgramShell::~ProgramShell()
{
    delete m_backup;
    delete m_skin;
    delete m_exit;
    delete m_main;
}

Frm1 *ProgramShell::mainWindow() const
{
    return m_main;
}

exitpro *ProgramShell::exitConfirmation() const
{
    return m_exit;
}

Frmbackup *ProgramShell::backupWindow() const
{
    return m_backup;
}

Frm1 *ProgramShell::startMainWindow()
{
    m_main = new Frm1(&m_launcher);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &Frm1::closedForExit, this, &ProgramShell::confirmExit);
    connect(m_main, &Frm1::closedQuietly, this, &ProgramShell::confirmTheme);
    m_main->show();
    return m_main;
}

// The main window closed for a new theme: confirmed in the new look, then back.
void ProgramShell::confirmTheme()
{
    delete m_skin;
    m_skin = new Frmskin;
    m_skin->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_skin, &Frmskin::confirmed, this, &ProgramShell::startMainWindow);
    m_skin->show();
}

Frmskin *ProgramShell::themeConfirmation() const
{
    return m_skin;
}

// The main window closed for good: the operator confirms leaving, or comes back.
void ProgramShell::confirmExit()
{
    delete m_exit;
    m_exit = new exitpro;
    m_exit->setAttribute(Qt::WA_DeleteOnClose);
    m_exit->move(twipsPoint(5000, 1500));
    connect(m_exit, &exitpro::confirmed, this, &ProgramShell::exitConfirmed);
    connect(m_exit, &exitpro::cancelled, this, &ProgramShell::startMainWindow);
    connect(m_exit, &exitpro::dismissed, this, &ProgramShell::programEnds);
    m_exit->show();
}

void ProgramShell::exitConfirmed(bool withBackup)
{
    if (!withBackup) {
        emit programEnds();
        return;
    }
    m_backup = new Frmbackup;
    m_backup->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_backup, &Frmbackup::programEnds, this, &ProgramShell::programEnds);
    m_backup->show();
}
