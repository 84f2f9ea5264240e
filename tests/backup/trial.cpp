// Runs one backup or restore to its end, so that a test can kill it at any moment:
//   backup_trial backup DATABASE TARGET
//   backup_trial restore BACKUP DATABASE
// Exits 0 when the operation succeeded.
#include "backup/backupdatabase.h"
#include "backup/restore.h"
#include "store/database.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
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
