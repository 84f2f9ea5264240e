#include "backup/restore.h"

#include "backup/copyfileinblocks.h"
#include "store/database.h"
#include "store/databasecopy.h"
#include "store/filecheck.h"
#include "store/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>

namespace Backup {

namespace {

QString refusalText(const QString &source, const Store::OpenResult &checked)
{
    switch (checked.status) {
    case Store::OpenStatus::Missing:
        return QStringLiteral("فایل پشتیبان پیدا نشد:\n%1").arg(source);
    case Store::OpenStatus::NotOurs:
        return QStringLiteral("این فایل نسخه پشتیبان این برنامه نیست:\n%1\n%2").arg(source, checked.detail);
    case Store::OpenStatus::Damaged:
        return QStringLiteral("این فایل پشتیبان کامل و سالم نیست:\n%1\n%2").arg(source, checked.detail);
    default:
        return QStringLiteral("این فایل پشتیبان خوانده نشد:\n%1\n%2").arg(source, checked.detail);
    }
}

bool stopAt(RestoreFailure stage, const QString &text, QString *error, RestoreFailure *failure)
{
    *error = text;
    if (failure)
        *failure = stage;
    return false;
}

// Holds the database file so that no other program reads or writes it
// while it is replaced: an exclusive lock on a connection of its own.
class ExclusiveHold
{
public:
    explicit ExclusiveHold(const QString &path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(m_db, Store::busyWait());
            m_held = sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        if (!m_held) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            m_busy = (sqlite3_errcode(m_db) & 0xff) == SQLITE_BUSY || (sqlite3_errcode(m_db) & 0xff) == SQLITE_LOCKED;
        }
    }
    ~ExclusiveHold()
    {
        if (m_held)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
    ExclusiveHold(const ExclusiveHold &) = delete;
    ExclusiveHold &operator=(const ExclusiveHold &) = delete;

    bool isHeld() const { return m_held; }
    // Another program holds the file. A file SQLite cannot lock for other
    // reasons (a damaged one) is held by no one, and may be replaced.
    bool isBusy() const { return m_busy; }
    QString errorText() const { return m_error; }

private:
    sqlite3 *m_db = nullptr;
    bool m_held = false;
    bool m_busy = false;
    QString m_error;
};

// After a failure the program goes on with the database it had.
QString reopened(const QString &database, const QString &text)
{
    const Store::OpenResult opened = Store::openDatabase(database);
    if (opened.status == Store::OpenStatus::Opened)
        return text;
    return text + QStringLiteral("\nبانک اطلاعات دوباره باز نشد: %1").arg(opened.detail);
}

}  // namespace

bool restoreOnServer(const QString &source, QString *error, RestoreFailure *failure)
{
    if (failure)
        *failure = RestoreFailure::None;
    // Checked as a backup is checked for the file: its shape, then every page.
    for (const Store::CheckDepth depth : {Store::CheckDepth::Shape, Store::CheckDepth::Whole}) {
        const Store::OpenResult checked = Store::checkBackupFile(source, depth);
        if (checked.status == Store::OpenStatus::Missing || checked.status == Store::OpenStatus::Failed)
            return stopAt(RestoreFailure::Source, refusalText(source, checked), error, failure);
        if (checked.status != Store::OpenStatus::Opened)
            return stopAt(RestoreFailure::Refused, refusalText(source, checked), error, failure);
    }
    Store::Place from;
    from.path = source;
    Store::Place to;
    to.server = true;
    to.address = Store::serverAddress();
    QString copyError;
    if (!Store::copyDatabase(from, to, Store::TargetRule::Replace, &copyError))
        return stopAt(RestoreFailure::Replace, copyError, error, failure);
    return true;
}

bool restoreDatabase(const QString &source, const QString &database, QString *error, const CopyProgress &progress,
                     RestoreFailure *failure)
{
    if (failure)
        *failure = RestoreFailure::None;
    // Header, length and schema first: nothing is copied from a file that is not ours.
    const Store::OpenResult shape = Store::checkBackupFile(source, Store::CheckDepth::Shape);
    if (shape.status == Store::OpenStatus::Missing || shape.status == Store::OpenStatus::Failed)
        return stopAt(RestoreFailure::Source, refusalText(source, shape), error, failure);
    if (shape.status != Store::OpenStatus::Opened)
        return stopAt(RestoreFailure::Refused, refusalText(source, shape), error, failure);
    if (isSameFile(source, database))
        return true;

    SafeFile::Writer copy(database);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return stopAt(RestoreFailure::Source, SafeFile::describeError(EACCES, source), error, failure);
    if (!copy.open())
        return stopAt(RestoreFailure::Source, copy.errorText(), error, failure);
    QString copyError;
    bool cancelled = false;
    if (!copyInto(in, copy, &copyError, progress, &cancelled))
        return stopAt(cancelled ? RestoreFailure::Cancelled : RestoreFailure::Source, copyError, error, failure);
    if (!copy.finish())
        return stopAt(RestoreFailure::Source, copy.errorText(), error, failure);
    // The copy is what takes the database's place, so the copy is what is checked.
    // The check reads every page once more; the window is told so (done and total of -1) and may stop it.
    const auto checking = [&progress] { return !progress || progress(-1, -1); };
    const Store::OpenResult checked = Store::checkBackupFile(copy.temporaryPath(), Store::CheckDepth::Whole, checking);
    if (checked.status == Store::OpenStatus::Failed && checked.detail == Store::kCheckCancelled)
        return stopAt(RestoreFailure::Cancelled, checked.detail, error, failure);
    if (checked.status != Store::OpenStatus::Opened)
        return stopAt(RestoreFailure::Refused, refusalText(source, checked), error, failure);

    // Nothing of the program may hold or write the old file once the new one stands in its place.
    Store::closeDatabase();
    {
        const ExclusiveHold hold(database);
        if (hold.isBusy())
            return stopAt(RestoreFailure::Replace,
                          reopened(database, QStringLiteral("برنامهٔ دیگری بانک اطلاعات را در دست دارد و جایگزین "
                                                            "کردن آن ممکن نشد:\n%1")
                                                 .arg(hold.errorText())),
                          error, failure);
        // Under the exclusive lock no transaction is open, so a journal here belongs to no one.
        QFile::remove(database + QStringLiteral("-journal"));
        if (!copy.commit())
            return stopAt(RestoreFailure::Replace, reopened(database, copy.errorText()), error, failure);
    }
    return true;
}

}  // namespace Backup
