#include "support/testmain.h"

#include <memory>

QObject *makeTestFrm1();
QObject *makeTestStartup();
QObject *makeTestPrintResults();
QObject *makeTestExitpro();
QObject *makeTestAbout();
QObject *makeTestShell();
QObject *makeTestSettings();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> frm1(makeTestFrm1());
    const std::unique_ptr<QObject> startup(makeTestStartup());
    const std::unique_ptr<QObject> printResults(makeTestPrintResults());
    const std::unique_ptr<QObject> exitProgram(makeTestExitpro());
    const std::unique_ptr<QObject> about(makeTestAbout());
    const std::unique_ptr<QObject> shell(makeTestShell());
    const std::unique_ptr<QObject> settings(makeTestSettings());
    return runTestObjects({frm1.get(), startup.get(), printResults.get(), exitProgram.get(), about.get(), shell.get(),
                           settings.get()},
                          argc, argv);
}
