#include "app/printanalysis.h"

#include "analysis/analysisreport.h"
#include "analysis/analysistext.h"
#include "analysis/statistics.h"
#include "app/commandline.h"
#include "report/reportlayout.h"
#include "report/reportpainter.h"
#include "store/database.h"


int PrintAnalysis(const ProgramOptions &options)
{
    if (options.file.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل PDF داده نشده است: --print-analysis FILE.pdf"));
    const QString pdfPath = options.file;

    QString reason;
    if (!CommandLine::openForReading(options.database, &reason))
        return CommandLine::fail(reason);
    const QString chosen = options.group;
    QList<Analysis::SubjectRecord> subjects;
    const Analysis::ReadResult read = Analysis::readSubjects(chosen, &subjects, {}, Analysis::ReadDetail::ForStatistics);
    const QStringList items = Analysis::readItemTexts(&reason);
    ResultReports::Clinic clinic;
    QString clinicError;
    const bool clinicRead = ResultReports::ReadClinic(&clinic, &clinicError);
    if (read.status != Analysis::ReadStatus::Read || items.isEmpty() || !clinicRead) {
        Store::closeDatabase();
        return CommandLine::fail(!read.error.isEmpty() ? read.error : !clinicRead ? clinicError : reason);
    }
    const Report::Design design = AnalysisReportDesign(Analysis::analyse(subjects), items, clinic,
                                                       chosen.isEmpty() ? AnalysisText::AllGroups : chosen);
    const Report::Rows none;
    const Report::Layout layout(design, none);
    QString error;
    const bool written = Report::writePdf(layout, pdfPath, design.displayName(), &error);
    Store::closeDatabase();
    return written ? 0 : CommandLine::fail(error);
}
