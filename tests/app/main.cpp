#include "support/testmain.h"

#include <memory>

QObject *makeTestStartup();
QObject *makeTestPrintResults();
QObject *makeTestExportData();
QObject *makeTestShell();
QObject *makeTestSettings();
QObject *makeTestWindowKeys();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> startup(makeTestStartup());
    const std::unique_ptr<QObject> printResults(makeTestPrintResults());
    const std::unique_ptr<QObject> exportData(makeTestExportData());
    const std::unique_ptr<QObject> shell(makeTestShell());
    const std::unique_ptr<QObject> settings(makeTestSettings());
    const std::unique_ptr<QObject> windowKeys(makeTestWindowKeys());
    return runTestObjects({startup.get(), printResults.get(), exportData.get(), shell.get(), settings.get(), windowKeys.get()}, argc, argv);
}
