#include "app/exportdata.h"

#include "analysis/analysistext.h"
#include "analysis/exports.h"
#include "app/commandline.h"
#include "store/database.h"

int ExportData(const ProgramOptions &options)
{
    if (options.file.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل داده نشده است: --export FILE.sav|FILE.xlsx|FILE.csv"));
    const std::optional<Analysis::ExportFormat> format = Analysis::formatForPath(options.file);
    if (!format)
        return CommandLine::fail(AnalysisText::UnknownFormat.arg(options.file));

    QString reason;
    if (!CommandLine::openForReading(options.database, &reason))
        return CommandLine::fail(reason);
    const QStringList items = Analysis::readItemTexts(&reason);
    if (items.isEmpty()) {
        Store::closeDatabase();
        return CommandLine::fail(reason);
    }
    const Analysis::ExportResult result = Analysis::exportGroup(
        options.file, *format, options.group, options.group.isEmpty() ? AnalysisText::AllGroups : options.group, items);
    Store::closeDatabase();
    return result.written ? 0 : CommandLine::fail(result.error);
}
