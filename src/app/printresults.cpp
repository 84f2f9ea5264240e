#include "app/printresults.h"

#include "app/startup.h"
#include "scoring/resultreports.h"
#include "store/database.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

int fail(const QString &reason)
{
    QTextStream(stderr) << "quorvel: " << reason << Qt::endl;
    return 1;
}

}  // namespace

bool AsksForPrintResults(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--print-results") == 0 || std::strncmp(argv[i], "--print-results=", 16) == 0)
            return true;
    return false;
}

int PrintResults(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("print-results"), QString(), QStringLiteral("FILE.pdf"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    parser.addOption(output);
    parser.addOption(group);
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("آرگومان ناشناخته: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    const QString target = parser.value(output);
    if (target.isEmpty())
        return fail(QStringLiteral("نام فایل PDF داده نشده است: --print-results FILE.pdf"));
    // The target is named from where the command was given, before the program folder becomes current.
    const QString pdfPath = QFileInfo(target).absoluteFilePath();

    PrepareApplication();
    const QString database = QFileInfo(QString::fromLatin1(Store::kDatabasePath)).absoluteFilePath();
    const Store::OpenResult opened = Store::openDatabase(QString::fromLatin1(Store::kDatabasePath), Store::Access::ReadOnly);
    switch (opened.status) {
    case Store::OpenStatus::Opened:
        break;
    case Store::OpenStatus::Missing:
        return fail(QStringLiteral("بانک اطلاعات برنامه پیدا نشد: %1").arg(database));
    case Store::OpenStatus::NotOurs:
        return fail(QStringLiteral("این فایل بانک اطلاعات این برنامه نیست: %1").arg(database));
    case Store::OpenStatus::Damaged:
        return fail(QStringLiteral("فایل بانک اطلاعات آسیب دیده است: %1 (%2)").arg(database, opened.detail));
    case Store::OpenStatus::Failed:
        return fail(QStringLiteral("بانک اطلاعات باز نشد: %1 (%2)").arg(database, opened.detail));
    }
    QString error;
    const QString chosenGroup = parser.value(group);
    const bool written = ResultReports::ExportResultTable(pdfPath, parser.isSet(group) ? &chosenGroup : nullptr, &error);
    Store::closeDatabase();
    return written ? 0 : fail(error);
}
