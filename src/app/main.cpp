#include "app/printresults.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A scripted export needs no screen.
    const bool printResults = AsksForPrintResults(argc, argv);
    if (printResults && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    return printResults ? PrintResults(QApplication::arguments()) : RunQuorvel();
}
