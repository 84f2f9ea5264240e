#include "support/testmain.h"

#include <memory>

QObject *makeTestFrm1();
QObject *makeTestStartup();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> frm1(makeTestFrm1());
    const std::unique_ptr<QObject> startup(makeTestStartup());
    return runTestObjects({frm1.get(), startup.get()}, argc, argv);
}
