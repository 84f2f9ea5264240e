#include "support/testmain.h"

#include <memory>

QObject *makeTestAbout();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> test(makeTestAbout());
    return runTestObjects({test.get()}, argc, argv);
}
