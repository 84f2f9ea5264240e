#include "support/testmain.h"

#include <memory>

QObject *makeTestCopy();
QObject *makeTestFrmbackup();
QObject *makeTestKilled();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> copy(makeTestCopy());
    const std::unique_ptr<QObject> window(makeTestFrmbackup());
    const std::unique_ptr<QObject> killed(makeTestKilled());
    return runTestObjects({copy.get(), window.get(), killed.get()}, argc, argv);
}
