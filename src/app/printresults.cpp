#include "app/printresults.h"

#include "app/commandline.h"
#include "report/resultreports.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int PrintResults(const QStringList &arguments)
{
    CommandLine::FileRequest request;
    QString reason;
    if (!CommandLine::readFileRequest(arguments, QStringLiteral("print-results"),
                                      QStringLiteral("نام فایل PDF داده نشده است: --print-results FILE.pdf"), &request,
                                      &reason))
        return CommandLine::fail(reason);
    const QString pdfPath = request.path;

    if (!CommandLine::openForReading(&reason))
        return CommandLine::fail(reason);
    QString error;
    const bool written = ResultReports::ExportResultTable(pdfPath, request.groupGiven ? &request.group : nullptr, &error);
    Store::closeDatabase();
    return written ? 0 : CommandLine::fail(error);
}
