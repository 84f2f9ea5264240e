#pragma once

#include <QPointer>

#include <functional>

class FrmTest;
class QWidget;
class RecordSet;

// Runs the test for one subject: asks for the code, restricts the test window
// to the subject's rows and shows it modally; afterwards prepares the window
// for the next subject. One launcher serves a whole run of the program, so the
// window lives from its first use to the end, whichever main window asks.
class TestLauncher
{
public:
    TestLauncher() = default;
    ~TestLauncher();
    TestLauncher(const TestLauncher &) = delete;
    TestLauncher &operator=(const TestLauncher &) = delete;

    // owner is the main window asking; hidePanels tidies it first.
    void launch(QWidget *owner, const std::function<void()> &hidePanels);
    FrmTest *window() const;

private:
    QPointer<FrmTest> m_window;
};
