#include "support/testmain.h"

#include <memory>

QObject *makeTestFrmkLID();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> keying(makeTestFrmkLID());
    return runTestObjects({keying.get()}, argc, argv);
}
