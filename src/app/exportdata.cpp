#include "app/exportdata.h"

#include "analysis/analysistext.h"
#include "analysis/exports.h"
#include "app/commandline.h"
#include "store/database.h"

int ExportData(const QStringList &arguments)
{
    CommandLine::FileRequest request;
    QString reason;
    if (!CommandLine::readFileRequest(arguments, QStringLiteral("export"),
                                      QStringLiteral("نام فایل داده نشده است: --export FILE.sav|FILE.xlsx|FILE.csv"), &request,
                                      &reason))
        return CommandLine::fail(reason);
    const std::optional<Analysis::ExportFormat> format = Analysis::formatForPath(request.path);
    if (!format)
        return CommandLine::fail(AnalysisText::UnknownFormat.arg(request.path));

    if (!CommandLine::openForReading(&reason))
        return CommandLine::fail(reason);
    const QStringList items = Analysis::readItemTexts(&reason);
    if (items.isEmpty()) {
        Store::closeDatabase();
        return CommandLine::fail(reason);
    }
    const Analysis::ExportResult result = Analysis::exportGroup(
        request.path, *format, request.group, request.group.isEmpty() ? AnalysisText::AllGroups : request.group, items);
    Store::closeDatabase();
    return result.written ? 0 : CommandLine::fail(result.error);
}
