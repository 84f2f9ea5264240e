#include "app/printresults.h"

#include "app/commandline.h"
#include "app/startup.h"
#include "scoring/resultreports.h"
#include "store/database.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int PrintResults(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("print-results"), QString(), QStringLiteral("FILE.pdf"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    parser.addOption(output);
    parser.addOption(group);
    if (!parser.parse(arguments))
        return CommandLine::fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return CommandLine::fail(QStringLiteral("آرگومان ناشناخته: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    const QString target = parser.value(output);
    if (target.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل PDF داده نشده است: --print-results FILE.pdf"));
    // The target is named from where the command was given, before the program folder becomes current.
    const QString pdfPath = QFileInfo(target).absoluteFilePath();

    PrepareApplication();
    QString reason;
    if (!CommandLine::openForReading(&reason))
        return CommandLine::fail(reason);
    QString error;
    const QString chosenGroup = parser.value(group);
    const bool written = ResultReports::ExportResultTable(pdfPath, parser.isSet(group) ? &chosenGroup : nullptr, &error);
    Store::closeDatabase();
    return written ? 0 : CommandLine::fail(error);
}
