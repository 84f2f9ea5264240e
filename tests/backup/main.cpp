#include "support/testmain.h"

#include <memory>

QObject *makeTestCopy();
QObject *makeTestFrmbackup();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> copy(makeTestCopy());
    const std::unique_ptr<QObject> window(makeTestFrmbackup());
    return runTestObjects({copy.get(), window.get()}, argc, argv);
}
