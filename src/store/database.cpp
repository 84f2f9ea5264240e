#include "store/database.h"

#include "store/engine.h"
#include "store/fileengine.h"
#include "store/filecheck.h"
#include "store/serverengine.h"

#include <QCoreApplication>
#include <QThread>

namespace Store {
namespace {

const char kConnection[] = "quorvel";
int busyWaitMs = 3000;
std::function<void()> busyWaitObserver;

void dropConnection(const QString &name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Keeps engine as the open store's when its open succeeded, and closes
// whatever the open left otherwise.
template <typename Opened>
OpenResult adopt(std::unique_ptr<Opened> engine, const OpenResult &result)
{
    if (result.status != OpenStatus::Opened) {
        closeDatabase();
        return result;
    }
    setOpenEngine(std::move(engine));
    return result;
}

}  // namespace

QSqlDatabase database()
{
    return QSqlDatabase::database(QString::fromLatin1(kConnection), false);
}

QString connectionName()
{
    return QString::fromLatin1(kConnection);
}

QString storeDescription()
{
    return database().isOpen() ? engine().description() : QString();
}

bool isStoreShared()
{
    return database().isOpen() && engine().isShared();
}

void closeDatabase()
{
    emit connectionEvents().closing();
    dropConnection(QString::fromLatin1(kConnection));
    setOpenEngine(nullptr);
}

OpenResult openDatabase(const QString &path, Access access, PageCheck pageCheck)
{
    closeDatabase();
    auto file = std::make_unique<FileEngine>(path);
    const OpenResult result = file->open(access, pageCheck);
    return adopt(std::move(file), result);
}

OpenResult openServerDatabase(const ServerAddress &address)
{
    closeDatabase();
    auto server = std::make_unique<ServerEngine>(address);
    const OpenResult result = server->open();
    return adopt(std::move(server), result);
}

bool ensureConnected()
{
    return engine().ensureConnected();
}

OpenResult finishPageCheck()
{
    return engine().finishOpening();
}

OpenResult checkDatabaseFile(const QString &path)
{
    return checkBackupFile(path, CheckDepth::Whole);
}

void setBusyWait(int milliseconds)
{
    busyWaitMs = milliseconds;
}

int busyWait()
{
    return busyWaitMs;
}

void setBusyWaitObserver(std::function<void()> observer)
{
    busyWaitObserver = std::move(observer);
}

void notifyBusyWait()
{
    const QCoreApplication *application = QCoreApplication::instance();
    if (busyWaitObserver && application && QThread::currentThread() == application->thread())
        busyWaitObserver();
}

ConnectionEvents &connectionEvents()
{
    static ConnectionEvents events;
    return events;
}

}  // namespace Store
