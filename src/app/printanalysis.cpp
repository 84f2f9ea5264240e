#include "app/printanalysis.h"

#include "analysis/analysisreport.h"
#include "analysis/analysistext.h"
#include "analysis/statistics.h"
#include "app/commandline.h"
#include "app/startup.h"
#include "scoring/reportlayout.h"
#include "scoring/reportpainter.h"
#include "store/database.h"

#include <QCommandLineParser>
#include <QFileInfo>

int PrintAnalysis(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("print-analysis"), QString(), QStringLiteral("FILE.pdf"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    parser.addOption(output);
    parser.addOption(group);
    if (!parser.parse(arguments))
        return CommandLine::fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return CommandLine::fail(QStringLiteral("آرگومان ناشناخته: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    const QString target = parser.value(output);
    if (target.isEmpty())
        return CommandLine::fail(QStringLiteral("نام فایل PDF داده نشده است: --print-analysis FILE.pdf"));
    // The target is named from where the command was given, before the program folder becomes current.
    const QString pdfPath = QFileInfo(target).absoluteFilePath();

    PrepareApplication();
    QString reason;
    if (!CommandLine::openForReading(&reason))
        return CommandLine::fail(reason);
    const QString chosen = parser.value(group);
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
