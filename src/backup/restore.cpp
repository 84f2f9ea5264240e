#include "backup/restore.h"

#include "backup/copyfileinblocks.h"
#include "store/database.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace Backup {

namespace {

QString refusalText(const QString &source, const Store::OpenResult &checked)
{
    switch (checked.status) {
    case Store::OpenStatus::NotOurs:
        return QStringLiteral("این فایل نسخه پشتیبان این برنامه نیست:\n%1").arg(source);
    case Store::OpenStatus::Damaged:
        return QStringLiteral("این فایل پشتیبان کامل و سالم نیست:\n%1\n%2").arg(source, checked.detail);
    default:
        return QStringLiteral("این فایل پشتیبان خوانده نشد:\n%1\n%2").arg(source, checked.detail);
    }
}

}  // namespace

bool restoreDatabase(const QString &source, const QString &database, QString *error,
                     const std::function<void()> &betweenBlocks)
{
    if (!QFileInfo(source).isFile()) {
        *error = QStringLiteral("فایل پشتیبان پیدا نشد:\n%1").arg(source);
        return false;
    }
    if (isSameFile(source, database))
        return true;
    const QString copy = database + QStringLiteral(".restore");
    if (!copyFileInBlocks(source, copy, error, betweenBlocks))
        return false;
    const Store::OpenResult checked = Store::checkDatabaseFile(copy);
    if (checked.status != Store::OpenStatus::Opened) {
        QFile::remove(copy);
        *error = refusalText(source, checked);
        return false;
    }
    // Nothing of the program may hold or write the old file once the new one stands in its place.
    Store::closeDatabase();
    // With the connection closed no transaction is open, so a journal left here belongs to no one.
    QFile::remove(database + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(database).constData()) != 0) {
        *error = QStringLiteral("فایل بانک اطلاعات جایگزین نشد:\n%1").arg(database);
        QFile::remove(copy);
        Store::openDatabase(database);
        return false;
    }
    return true;
}

}  // namespace Backup
