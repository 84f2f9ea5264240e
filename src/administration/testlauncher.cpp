#include "administration/testlauncher.h"

#include "administration/administrationtext.h"
#include "administration/frmtest.h"
#include "store/recordset.h"
#include "ui/prompts.h"
#include "ui/selfclosingmessage.h"
#include "ui/storeerror.h"

TestLauncher::~TestLauncher()
{
    delete m_window;
}

void TestLauncher::launch(QWidget *owner, const std::function<void()> &hidePanels)
{
    hidePanels();
    // The window has no parent: it outlives the main window that first asked for it.
    if (!m_window)
        m_window = new FrmTest;
    RecordSet *answers = m_window->answerRows();
    RecordSet *subject = m_window->subjectRows();
    if (!StoreSucceeded(owner, answers->refresh(), *answers) || !StoreSucceeded(owner, subject->refresh(), *subject))
        return;

    const QString code = prompts().inputBox(owner, AdministrationText::CodePrompt, AdministrationText::CodeCaption);
    if (code.isEmpty()) {
        ShowSelfClosingMessage(owner, AdministrationText::NeedSubjectNumber);
        return;
    }
    if (!StoreSucceeded(owner, answers->filterBy(QStringLiteral("code"), code), *answers))
        return;
    if (answers->isEmpty()) {
        ShowSelfClosingMessage(owner, AdministrationText::NoSuchSubject);
        return;
    }
    if (!StoreSucceeded(owner, subject->filterBy(QStringLiteral("code"), code), *subject))
        return;
    m_window->exec();

    // A new window for the next subject, in the look a finished run leaves.
    delete m_window;
    m_window = new FrmTest;
    m_window->prepareForNextRun();
}

FrmTest *TestLauncher::window() const
{
    return m_window;
}
