#include "support/testmain.h"

#include <memory>

QObject *makeTestReportEngine();
QObject *makeTestFrmkLID();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> engine(makeTestReportEngine());
    const std::unique_ptr<QObject> keying(makeTestFrmkLID());
    return runTestObjects({engine.get(), keying.get()}, argc, argv);
}
