#include "administration/testlauncher.h"

#include "administration/administrationtext.h"
#include "administration/frmtest.h"
#include "ui/prompts.h"
#include "store/recordset.h"
#include "ui/selfclosingmessage.h"

TestLauncher::TestLauncher(QWidget *owner, RecordSet *registeredAnswers, std::function<void()> hidePanels)
    : m_owner(owner), m_registeredAnswers(registeredAnswers), m_hidePanels(std::move(hidePanels))
{
}

TestLauncher::~TestLauncher()
{
    delete m_window;
}

void TestLauncher::launch()
{
    if (m_registeredAnswers->count() == 0)
        return;
    m_hidePanels();
    if (!m_window)
        m_window = new FrmTest(m_owner);
    m_window->answerRows()->refresh();
    m_window->subjectRows()->refresh();

    const QString code = prompts().inputBox(m_owner, AdministrationText::CodePrompt, AdministrationText::CodeCaption);
    if (code.isEmpty()) {
        ShowSelfClosingMessage(m_owner, AdministrationText::NeedSubjectNumber);
        return;
    }
    m_window->answerRows()->filterBy(QStringLiteral("code"), code);
    if (m_window->answerRows()->count() == 0) {
        ShowSelfClosingMessage(m_owner, AdministrationText::NoSuchSubject);
        return;
    }
    m_window->subjectRows()->filterBy(QStringLiteral("code"), code);
    m_window->exec();

    // A new window for the next subject, in the look a finished run leaves.
    delete m_window;
    m_window = new FrmTest(m_owner);
    m_window->prepareForNextRun();
}

FrmTest *TestLauncher::window() const
{
    return m_window;
}
