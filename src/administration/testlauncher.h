#pragma once

#include <QPointer>

#include <functional>

class FrmTest;
class QWidget;
class RecordSet;

// Runs the test for one subject: asks for the code, restricts the test window
// to the subject's rows and shows it modally; afterwards prepares the window
// for the next subject. The window lives from its first use to the end.
class TestLauncher
{
public:
    // registeredAnswers is the owner's record set over Answer; hidePanels tidies the owner first.
    TestLauncher(QWidget *owner, RecordSet *registeredAnswers, std::function<void()> hidePanels);
    ~TestLauncher();

    void launch();
    FrmTest *window() const;

private:
    QWidget *m_owner;
    RecordSet *m_registeredAnswers;
    std::function<void()> m_hidePanels;
    QPointer<FrmTest> m_window;
};
