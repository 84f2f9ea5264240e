#include "causes/causes.h"

#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>

namespace Causes {

QString storeCause(StoreFailure failure)
{
    switch (failure) {
    case StoreFailure::Busy:
        return QStringLiteral("برنامهٔ دیگری بانک اطلاعات را در دست دارد و اکنون نمی‌شود در آن نوشت. "
                              "چیزی از دست نرفته است؛ چند لحظه بعد دوباره امتحان کنید.");
    case StoreFailure::ReadOnly:
        return QStringLiteral("بانک اطلاعات فقط‌خواندنی است و نمی‌شود در آن نوشت. "
                              "اجازهٔ نوشتن در فایل بانک اطلاعات و پوشهٔ آن را بررسی کنید.");
    case StoreFailure::Damaged:
        return QStringLiteral("فایل بانک اطلاعات آسیب دیده است. "
                              "برنامه را ببندید و آخرین پشتیبان سالم را از پوشهٔ Back بازگردانید.");
    case StoreFailure::DiskFull:
        return QStringLiteral("دیسکی که بانک اطلاعات روی آن است پر شده است و چیزی ذخیره نشد. "
                              "آنچه وارد کرده‌اید سر جای خود است؛ جا باز کنید و دوباره امتحان کنید.");
    case StoreFailure::NoRow:
        return QStringLiteral("این ردیف دیگر در بانک اطلاعات نیست؛ شاید در این میان حذف شده باشد.");
    case StoreFailure::Duplicate:
        return QStringLiteral("ردیفی با همین کد پیش‌تر در بانک اطلاعات ثبت شده است.");
    case StoreFailure::Closed:
        return QStringLiteral("بانک اطلاعات بسته شده است و این پنجره دیگر به آن دسترسی ندارد. "
                              "پنجره را ببندید و برنامه را دوباره باز کنید.");
    case StoreFailure::Unreachable:
        return QStringLiteral("ارتباط با سرور بانک اطلاعات برقرار نیست و چیزی ذخیره نشد. "
                              "آنچه وارد کرده‌اید سر جای خود است؛ وقتی ارتباط برقرار شد دوباره امتحان کنید.");
    case StoreFailure::None:
    case StoreFailure::UnknownField:
    case StoreFailure::NoCurrentRow:
    case StoreFailure::Other:
        break;
    }
    return QStringLiteral("بانک اطلاعات این کار را نپذیرفت.");
}

StoreFailure failureOfText(const QString &words)
{
    // SQLite's, the server's, the system's and the program's own English
    // words for each cause; the first kind whose words appear names it.
    struct Words {
        StoreFailure failure;
        QStringList phrases;
    };
    static const QList<Words> table = {
        {StoreFailure::DiskFull,
         {QStringLiteral("disk is full"), QStringLiteral("no space left on device"),
          QStringLiteral("disk quota exceeded"), QStringLiteral("could not extend file")}},
        {StoreFailure::Busy,
         {QStringLiteral("database is locked"), QStringLiteral("database table is locked"),
          QStringLiteral("database schema is locked"), QStringLiteral("lock timeout"),
          QStringLiteral("could not obtain lock"), QStringLiteral("deadlock detected"),
          QStringLiteral("could not serialize access")}},
        {StoreFailure::ReadOnly,
         {QStringLiteral("readonly database"), QStringLiteral("read-only"), QStringLiteral("permission denied"),
          QStringLiteral("unable to open database file")}},
        {StoreFailure::Damaged,
         {QStringLiteral("malformed"), QStringLiteral("file is not a database"), QStringLiteral("database corruption"),
          QStringLiteral("invalid page")}},
        {StoreFailure::Unreachable,
         {QStringLiteral("could not connect"), QStringLiteral("connection refused"),
          QStringLiteral("server closed the connection"), QStringLiteral("no connection to the server"),
          QStringLiteral("terminating connection"), QStringLiteral("could not translate host name"),
          QStringLiteral("could not receive data from server"), QStringLiteral("connection to server"), QStringLiteral("could not send data to server"),
          QStringLiteral("the database system is"), QStringLiteral("timeout expired")}},
        {StoreFailure::Closed,
         {QStringLiteral("the database was closed"), QStringLiteral("no database is open"),
          QStringLiteral("driver not loaded")}},
        {StoreFailure::NoRow, {QStringLiteral("no longer in the store")}},
    };
    for (const Words &entry : table)
        for (const QString &phrase : entry.phrases)
            if (words.contains(phrase, Qt::CaseInsensitive))
                return entry.failure;
    return StoreFailure::Other;
}

QString storeFailureText(StoreFailure failure, const QString &detail, const QString &context)
{
    logDetail(context, detail);
    if (failure == StoreFailure::Other || failure == StoreFailure::None)
        failure = failureOfText(detail);
    return storeCause(failure);
}

bool isOwnText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    const char16_t first = trimmed.front().unicode();
    const bool persian = (first >= 0x0600 && first <= 0x06FF) || (first >= 0xFB50 && first <= 0xFEFF);
    return persian && trimmed.contains(QLatin1String(":\n"));
}

void logDetail(const QString &context, const QString &words)
{
    if (words.trimmed().isEmpty())
        return;
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    QString line = words.trimmed();
    line.replace(breaks, QStringLiteral(" | "));
    if (context.isEmpty())
        qWarning("quorvel: %s", qUtf8Printable(line));
    else
        qWarning("quorvel: %s: %s", qUtf8Printable(context), qUtf8Printable(line));
}

QString shownDetail(const QString &context, const QString &detail)
{
    if (detail.isEmpty() || isOwnText(detail))
        return detail;
    logDetail(context, detail);
    const StoreFailure failure = failureOfText(detail);
    return failure == StoreFailure::Other ? QString() : storeCause(failure);
}

QString joinLines(const QStringList &lines)
{
    QStringList kept;
    for (const QString &line : lines)
        if (!line.isEmpty())
            kept << line;
    return kept.join(QLatin1Char('\n'));
}

}  // namespace Causes
