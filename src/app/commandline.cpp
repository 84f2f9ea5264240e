#include "app/commandline.h"

#include "app/copydatabase.h"
#include "app/exportdata.h"
#include "app/printanalysis.h"
#include "app/printresults.h"
#include "store/database.h"
#include "store/storeaddress.h"
#include "store/programplaces.h"
#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

bool names(const char *argument, const char *option)
{
    const std::size_t length = std::strlen(option);
    return std::strncmp(argument, option, length) == 0 && (argument[length] == '\0' || argument[length] == '=');
}

}  // namespace

CommandMode AskedMode(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (names(argv[i], "--print-results"))
            return CommandMode::PrintResults;
        if (names(argv[i], "--export"))
            return CommandMode::Export;
        if (names(argv[i], "--print-analysis"))
            return CommandMode::PrintAnalysis;
        if (names(argv[i], "--copy-database"))
            return CommandMode::CopyDatabase;
        if (names(argv[i], "--version"))
            return CommandMode::Version;
    }
    return CommandMode::Windows;
}

int RunCommand(CommandMode mode, const QStringList &arguments)
{
    switch (mode) {
    case CommandMode::PrintResults:
        return PrintResults(arguments);
    case CommandMode::Export:
        return ExportData(arguments);
    case CommandMode::PrintAnalysis:
        return PrintAnalysis(arguments);
    case CommandMode::CopyDatabase:
        return CopyDatabase(arguments);
    case CommandMode::Version: {
        // The version, and the folder this user's data lives in.
        PrepareApplication();
        QTextStream(stdout) << "Quorvel " << QStringLiteral(QUORVEL_VERSION) << Qt::endl
                            << "data: " << QDir::toNativeSeparators(ProgramPlaces::dataFolder()) << Qt::endl;
        return 0;
    }
    case CommandMode::Windows:
        break;
    }
    return 2;
}

namespace CommandLine {

int fail(const QString &reason)
{
    QTextStream(stderr) << "quorvel: " << reason << Qt::endl;
    return 1;
}

bool readFileRequest(const QStringList &arguments, const QString &option, const QString &missingFile,
                     FileRequest *request, QString *reason)
{
    QCommandLineParser parser;
    const QCommandLineOption output(option, QString(), QStringLiteral("FILE"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("G"));
    const QCommandLineOption server(QStringLiteral("database"), QString(), QStringLiteral("URL"));
    parser.addOption(output);
    parser.addOption(group);
    parser.addOption(server);
    if (!parser.parse(arguments)) {
        *reason = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *reason = QStringLiteral("آرگومان ناشناخته: %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
        return false;
    }
    if (parser.value(output).isEmpty()) {
        *reason = missingFile;
        return false;
    }
    // The file is named from where the command was given, before the program folder becomes current.
    request->path = QFileInfo(parser.value(output)).absoluteFilePath();
    request->group = parser.value(group);
    request->groupGiven = parser.isSet(group);
    return true;
}

bool openForReading(QString *reason)
{
    PrepareApplication();
    QString url;
    if (!Store::configuredServerUrl(QCoreApplication::arguments(), QDir::currentPath(), &url, reason))
        return false;
    if (!url.isEmpty()) {
        Store::ServerAddress address;
        if (!Store::parseServerUrl(url, &address, reason))
            return false;
        const Store::OpenResult opened = Store::openServerDatabase(address);
        if (opened.status == Store::OpenStatus::Opened)
            return true;
        *reason = opened.status == Store::OpenStatus::NotOurs
                      ? QStringLiteral("پایگاه داده این نشانی از آنِ این برنامه نیست: %1").arg(address.shown())
                      : QStringLiteral("بانک اطلاعات باز نشد: %1 (%2)").arg(address.shown(), opened.detail);
        return false;
    }
    const QString database = QFileInfo(QString::fromLatin1(Store::kDatabasePath)).absoluteFilePath();
    const Store::OpenResult opened = Store::openDatabase(QString::fromLatin1(Store::kDatabasePath), Store::Access::ReadOnly);
    switch (opened.status) {
    case Store::OpenStatus::Opened:
        return true;
    case Store::OpenStatus::Missing:
        *reason = QStringLiteral("بانک اطلاعات برنامه پیدا نشد: %1").arg(database);
        break;
    case Store::OpenStatus::NotOurs:
        *reason = QStringLiteral("این فایل بانک اطلاعات این برنامه نیست: %1").arg(database);
        break;
    case Store::OpenStatus::Damaged:
        *reason = QStringLiteral("فایل بانک اطلاعات آسیب دیده است: %1 (%2)").arg(database, opened.detail);
        break;
    case Store::OpenStatus::Failed:
        *reason = QStringLiteral("بانک اطلاعات باز نشد: %1 (%2)").arg(database, opened.detail);
        break;
    }
    return false;
}

}  // namespace CommandLine
