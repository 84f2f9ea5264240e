#include "support/testmain.h"

#include <memory>

QObject *makeTestReportEngine();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> engine(makeTestReportEngine());
    return runTestObjects({engine.get()}, argc, argv);
}
