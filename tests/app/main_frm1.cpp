#include "support/testmain.h"

#include <memory>

QObject *makeTestFrm1();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> test(makeTestFrm1());
    return runTestObjects({test.get()}, argc, argv);
}
