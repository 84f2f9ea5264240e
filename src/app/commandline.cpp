#include "app/commandline.h"

#include "app/copydatabase.h"
#include "app/exportdata.h"
#include "app/printanalysis.h"
#include "app/printresults.h"
#include "causes/causes.h"
#include "store/database.h"
#include "store/storeaddress.h"
#include "store/programplaces.h"
#include "app/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int RunCommand(const ProgramOptions &options)
{
    switch (options.mode) {
    case CommandMode::PrintResults:
        return PrintResults(options);
    case CommandMode::Export:
        return ExportData(options);
    case CommandMode::PrintAnalysis:
        return PrintAnalysis(options);
    case CommandMode::CopyDatabase:
        return CopyDatabase(options.places);
    case CommandMode::Version: {
        // The version, and the folder this user's data lives in.
        PrepareApplication();
        QTextStream(stdout) << "Quorvel " << QStringLiteral(QUORVEL_VERSION) << Qt::endl
                            << "data: " << QDir::toNativeSeparators(ProgramPlaces::dataFolder()) << Qt::endl;
        return 0;
    }
    case CommandMode::Windows:
    case CommandMode::Help:
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

int refuse(const QString &reason, const QString &usage)
{
    QTextStream(stderr) << "quorvel: " << reason << Qt::endl << usage;
    return 2;
}

bool openForReading(const QString &databaseOption, QString *reason)
{
    PrepareApplication();
    QString url;
    if (!Store::configuredServerUrl(databaseOption, QDir::currentPath(), &url, reason))
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
                      : Causes::joinLines({QStringLiteral("بانک اطلاعات باز نشد: %1").arg(address.shown()),
                                           OpenFailureCause(opened.detail)});
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
        Causes::logDetail(QStringLiteral("start"), opened.detail);
        *reason = QStringLiteral("فایل بانک اطلاعات آسیب دیده است: %1").arg(database);
        break;
    case Store::OpenStatus::Failed:
        *reason = Causes::joinLines(
            {QStringLiteral("بانک اطلاعات باز نشد: %1").arg(database), OpenFailureCause(opened.detail)});
        break;
    }
    return false;
}

}  // namespace CommandLine
