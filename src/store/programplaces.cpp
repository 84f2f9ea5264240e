#include "store/programplaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace ProgramPlaces {

namespace {

QString entered;
bool madeNow = false;

constexpr QFile::Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

bool writable(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

}  // namespace

bool enterDataFolder(QString *error)
{
    const QString own = QCoreApplication::applicationDirPath();
    QString folder = own;
    madeNow = false;
    if (!writable(own)) {
        QString base = qEnvironmentVariable("XDG_DATA_HOME");
        if (base.isEmpty() || !QDir::isAbsolutePath(base))
            base = QDir::homePath() + QStringLiteral("/.local/share");
        folder = QDir(base).filePath(QStringLiteral("Quorvel"));
        if (!QFileInfo::exists(folder) && (!QDir().mkpath(base) || !QDir().mkdir(folder, kPrivateFolder))) {
            *error = QStringLiteral("cannot make the data folder %1").arg(folder);
            return false;
        }
        // No database folder yet: this user has never had a database to protect.
        madeNow = !QFileInfo::exists(QDir(folder).filePath(QStringLiteral("DBQORV")));
        QDir(folder).mkdir(QStringLiteral("Back"), kPrivateFolder);
    }
    if (!QDir::setCurrent(folder)) {
        *error = QStringLiteral("cannot enter the data folder %1").arg(folder);
        return false;
    }
    entered = folder;
    return true;
}

QString dataFolder()
{
    return entered.isEmpty() ? QDir::currentPath() : entered;
}

bool dataFolderIsNew()
{
    return madeNow;
}

QString shippedFile(const QString &name)
{
    if (QFileInfo::exists(name) || QDir::isAbsolutePath(name))
        return name;
    const QString shipped =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/quorvel/") + name);
    return QFileInfo::exists(shipped) ? QDir::cleanPath(shipped) : name;
}

}  // namespace ProgramPlaces
