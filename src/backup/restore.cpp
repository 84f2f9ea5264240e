#include "backup/restore.h"

#include "causes/causes.h"
#include "store/database.h"
#include "store/engine.h"
#include "store/fileengine.h"
#include "store/filecheck.h"

namespace Backup {

namespace {

const QString kContext = QStringLiteral("restore");
// Said first when the checked copy could not take the database's place.
const QString kNotReplaced = QStringLiteral("بانک اطلاعات با نسخهٔ پشتیبان جایگزین نشد.");

// The engine's words on a line of their own when they are the program's own
// Persian; any other words go to the error output, and with storeCause the
// store's cause that they name, if any, stands in their place.
QString detailLine(const QString &detail, bool storeCause = false)
{
    QString shown;
    if (storeCause)
        shown = Causes::shownDetail(kContext, detail);
    else if (Causes::isOwnText(detail))
        shown = detail;
    else
        Causes::logDetail(kContext, detail);
    return shown.isEmpty() ? QString() : QLatin1Char('\n') + shown;
}

QString refusalText(const QString &source, const Store::OpenResult &checked)
{
    switch (checked.status) {
    case Store::OpenStatus::Missing:
        return QStringLiteral("فایل پشتیبان پیدا نشد:\n%1").arg(source);
    case Store::OpenStatus::NotOurs:
        return QStringLiteral("این فایل نسخه پشتیبان این برنامه نیست:\n%1").arg(source) + detailLine(checked.detail);
    case Store::OpenStatus::Damaged:
        return QStringLiteral("این فایل پشتیبان کامل و سالم نیست:\n%1").arg(source) + detailLine(checked.detail);
    default:
        return QStringLiteral("این فایل پشتیبان خوانده نشد:\n%1").arg(source) + detailLine(checked.detail);
    }
}

bool stopAt(RestoreFailure stage, const QString &text, QString *error, RestoreFailure *failure)
{
    *error = text;
    if (failure)
        *failure = stage;
    return false;
}

using Replacement = std::function<Store::CopyOutcome()>;

bool restoreFrom(const QString &source, const QString &database, const Replacement &replace, QString *error,
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

    // A database restored from itself is already as the backup says, once checked.
    const Store::CopyOutcome replaced = isSameFile(source, database) ? Store::CopyOutcome{} : replace();
    // After a failure the program goes on with the database it had, when it can.
    const QString reopen = replaced.reopened
                               ? QString()
                               : QStringLiteral("\nبانک اطلاعات دوباره باز نشد.")
                                     + detailLine(replaced.reopenError, true);
    switch (replaced.end) {
    case Store::CopyEnd::Done:
        return true;
    case Store::CopyEnd::Cancelled:
        return stopAt(RestoreFailure::Cancelled, replaced.detail, error, failure);
    case Store::CopyEnd::Source:
        return stopAt(RestoreFailure::Source, detailLine(replaced.detail).mid(1) + reopen, error, failure);
    case Store::CopyEnd::Refused:
        return stopAt(RestoreFailure::Refused,
                      refusalText(source, {Store::OpenStatus::Damaged, replaced.detail}) + reopen, error, failure);
    case Store::CopyEnd::Busy:
        return stopAt(RestoreFailure::Replace,
                      QStringLiteral("برنامهٔ دیگری بانک اطلاعات را در دست دارد و جایگزین کردن آن ممکن نشد.")
                          + detailLine(replaced.detail)
                          + reopen,
                      error, failure);
    case Store::CopyEnd::Restoring:
        return stopAt(RestoreFailure::Replace, AnotherDeskRestoring, error, failure);
    case Store::CopyEnd::Replace:
        break;
    }
    return stopAt(RestoreFailure::Replace, kNotReplaced + detailLine(replaced.detail, true) + reopen, error, failure);
}

}  // namespace

bool restoreStore(const QString &source, QString *error, const CopyProgress &progress, RestoreFailure *failure)
{
    return restoreFrom(
        source, Store::storeDescription(), [&] { return Store::engine().replaceWith(source, progress); }, error,
        failure);
}

bool restoreDatabase(const QString &source, const QString &database, QString *error, const CopyProgress &progress,
                     RestoreFailure *failure)
{
    return restoreFrom(
        source, database, [&] { return Store::replaceFile(source, database, progress); }, error, failure);
}

}  // namespace Backup
