#include "app/exportdata.h"

#include "analysis/analysistext.h"
#include "analysis/exports.h"
#include "app/commandline.h"
#include "app/startup.h"
#include "store/database.h"

#include <QCommandLineParser>
#include <QFileInfo>

int ExportData(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("export"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    parser.addOption(output);
    parser.addOption(group);
    if (!parser.parse(arguments))
        return CommandLine::fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return CommandLine::fail(QStringLiteral("آرگومان ناشناخته: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    const QString target = parser.value(output);
    if (target.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل داده نشده است: --export FILE.sav|FILE.xlsx|FILE.csv"));
    const std::optional<Analysis::ExportFormat> format = Analysis::formatForPath(target);
    if (!format)
        return CommandLine::fail(AnalysisText::UnknownFormat.arg(target));
    // The target is named from where the command was given, before the program folder becomes current.
    const QString path = QFileInfo(target).absoluteFilePath();

    PrepareApplication();
    QString reason;
    if (!CommandLine::openForReading(&reason))
        return CommandLine::fail(reason);
    const QString chosen = parser.value(group);
    Analysis::ExportInput input;
    const Analysis::ReadResult read = Analysis::readSubjects(chosen, &input.subjects);
    input.itemTexts = Analysis::readItemTexts(&reason);
    if (read.status != Analysis::ReadStatus::Read || input.itemTexts.isEmpty()) {
        Store::closeDatabase();
        return CommandLine::fail(read.error.isEmpty() ? reason : read.error);
    }
    input.results = Analysis::analyse(input.subjects);
    input.groupLabel = chosen.isEmpty() ? AnalysisText::AllGroups : chosen;
    const Analysis::ExportResult result = Analysis::exportSubjects(path, *format, input);
    Store::closeDatabase();
    return result.written ? 0 : CommandLine::fail(result.error);
}
