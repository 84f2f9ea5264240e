#include "app/printresults.h"

#include "app/commandline.h"
#include "report/resultreports.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int PrintResults(const ProgramOptions &options)
{
    if (options.file.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل PDF داده نشده است: --print-results FILE.pdf"));
    const QString pdfPath = options.file;

    QString reason;
    if (!CommandLine::openForReading(options.database, &reason))
        return CommandLine::fail(reason);
    QString error;
    const bool written = ResultReports::ExportResultTable(pdfPath, options.groupGiven ? &options.group : nullptr, &error);
    Store::closeDatabase();
    return written ? 0 : CommandLine::fail(error);
}
