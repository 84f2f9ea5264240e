// Runs one backup or restore to its end, so that a test can kill it at any moment:
//   backup_trial backup DATABASE TARGET
//   backup_trial restore BACKUP DATABASE
//   backup_trial write DATABASE SECONDS   (another program in the middle of a write)
//   backup_trial open DATABASE | check BACKUP   (prints what the store says of the file)
// Exits 0 when the operation succeeded.
#include "backup/backupdatabase.h"
#include "backup/restore.h"
#include "store/database.h"
#include "store/filecheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <sqlite3.h>

#include <cstdio>

namespace {

// Changes every subject in one transaction with a page cache so small that
// SQLite writes changed pages into the file before the commit, then waits.
int writeAndWait(const QString &database, int seconds)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(database).constData(), &db) != SQLITE_OK)
        return 4;
    if (sqlite3_exec(db, "PRAGMA cache_size=20; BEGIN; UPDATE \"ide\" SET \"FName\" = 'X';", nullptr, nullptr,
                     nullptr)
        != SQLITE_OK)
        return 5;
    std::puts("writing");
    std::fflush(stdout);
    QThread::sleep(seconds);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || (args.size() < 4 && args.at(1) != QLatin1String("open") && args.at(1) != QLatin1String("check")))
        return 2;
    if (args.at(1) == QLatin1String("write"))
        return writeAndWait(args.at(2), args.at(3).toInt());
    if (args.at(1) == QLatin1String("open") || args.at(1) == QLatin1String("check")) {
        const Store::OpenResult result = args.at(1) == QLatin1String("open")
                                             ? Store::openDatabase(args.at(2), Store::Access::ReadOnly)
                                             : Store::checkBackupFile(args.at(2), Store::CheckDepth::Shape);
        std::printf("%d\n%s\n", int(result.status), result.detail.toUtf8().constData());
        return 0;
    }
    QString error;
    bool done = false;
    if (args.at(1) == QLatin1String("backup")) {
        done = Backup::backupDatabase(args.at(2), args.at(3), &error);
    } else {
        if (Store::openDatabase(args.at(3)).status != Store::OpenStatus::Opened)
            return 3;
        done = Backup::restoreDatabase(args.at(2), args.at(3), &error);
    }
    if (!done)
        qWarning("%s", qPrintable(error));
    return done ? 0 : 1;
}
