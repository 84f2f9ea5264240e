#include "app/commandline.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A file written from the command line needs no screen.
    const CommandMode mode = AskedMode(argc, argv);
    if (mode != CommandMode::Windows && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    return mode == CommandMode::Windows ? RunQuorvel() : RunCommand(mode, QApplication::arguments());
}
