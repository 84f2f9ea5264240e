#include "ui/storeerror.h"

#include "store/recordset.h"
#include "ui/prompts.h"

namespace {

QString causeText(StoreFailure failure)
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

}  // namespace

QString StoreFailureText(StoreFailure failure, const QString &detail)
{
    const QString cause = causeText(failure);
    return detail.isEmpty() ? cause : cause + QStringLiteral("\n\n") + detail;
}

void ShowStoreFailure(QWidget *window, StoreFailure failure, const QString &detail)
{
    prompts().message(window, StoreFailureText(failure, detail), QStringLiteral("خطا"), Prompts::Icon::Critical);
}

void ShowStoreFailure(QWidget *window, const RecordSet &recordSet)
{
    ShowStoreFailure(window, recordSet.failure(), recordSet.errorText());
}

bool StoreSucceeded(QWidget *window, bool succeeded, const RecordSet &recordSet)
{
    if (!succeeded)
        ShowStoreFailure(window, recordSet);
    return succeeded;
}
