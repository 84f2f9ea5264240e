#include "support/testmain.h"

#include <memory>

QObject *makeTestFrm1();
QObject *makeTestStartup();
QObject *makeTestPrintResults();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> frm1(makeTestFrm1());
    const std::unique_ptr<QObject> startup(makeTestStartup());
    const std::unique_ptr<QObject> printResults(makeTestPrintResults());
    return runTestObjects({frm1.get(), startup.get(), printResults.get()}, argc, argv);
}
