#include "app/commandline.h"
#include "app/programoptions.h"
#include "app/startup.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    CommandLineReader reader;
    // A file written from the command line needs no screen, and the screen is
    // chosen before the application exists.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (reader.asksForNoWindow(given) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // QApplication has taken out its own options (-platform, -style, ...); the rest is the program's.
    ProgramOptions options;
    if (!reader.read(QApplication::arguments(), &options))
        return CommandLine::refuse(reader.error(), reader.usage());
    if (options.mode == CommandMode::Help) {
        QTextStream(stdout) << reader.usage();
        return 0;
    }
    return options.mode == CommandMode::Windows ? RunQuorvel(options.database) : RunCommand(options);
}
