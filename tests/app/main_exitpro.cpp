#include "support/testmain.h"

#include <memory>

QObject *makeTestExitpro();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> test(makeTestExitpro());
    return runTestObjects({test.get()}, argc, argv);
}
