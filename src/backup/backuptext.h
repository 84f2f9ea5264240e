#pragma once

#include <QString>

// The backup window's own texts, exactly as the operator knows them.
namespace BackupText {
inline const QString WindowCaption = QStringLiteral("Back up ...  Reastor");
inline const QString ChooseCaption = QStringLiteral("---");
inline const QString BackupCaption = QStringLiteral("BACKUP");
inline const QString RestoreCaption = QStringLiteral("REASTOR");
inline const QString Command1Caption = QStringLiteral("خروج");
inline const QString Command3Caption = QStringLiteral("راهنما");
inline const QString Command2Caption = QStringLiteral("خروج");
inline const QString HelpStart = QStringLiteral("اين قسمت از برنامه جهت پشتيبان گيري و");
inline const QString NamePrefix = QStringLiteral("در تاريخ");
inline const QString NameTime = QStringLiteral(" ساعت)");
inline const QString NameEnd = QStringLiteral(")");
inline const QString Extension = QStringLiteral(".mdbB");
inline const QString NeedBackupPath = QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد");
inline const QString ErrorCaption = QStringLiteral("خطا");
inline const QString ReplaceQuestion = QStringLiteral("فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟");
inline const QString BackupMade = QStringLiteral("نسخه پشتيبان تهيه گرديد");
inline const QString BackupNotMade = QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان");
inline const QString CopyFailed = QStringLiteral("اشکال در ايجاد نسخه پشتيباني");
inline const QString NeedRestorePath = QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد");
inline const QString RestoreQuestion = QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟");
// Asked once more before a shared database on a server is replaced.
inline const QString ReplaceSharedQuestion = QStringLiteral("همهٔ داده‌های بانک اطلاعات مشترک روی سرور زیر با این پشتیبان جایگزین می‌شود و همهٔ میزها همین داده‌ها را خواهند دید:\n%1\n\nادامه می‌دهید؟");
inline const QString Restored = QStringLiteral("بازيابي اطلاعات انجام شد");
inline const QString CloseOtherWindows = QStringLiteral("تمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره");
inline const QString NotRestored = QStringLiteral("عدم موفقيت در بازيابي اطلاعات ");
// The progress of a copy, and what a cancel leaves.
inline const QString Copying = QStringLiteral("در حال نسخه‌برداری: %1 از %2 مگابایت");
inline const QString CopyingRows = QStringLiteral("در حال نسخه‌برداری: %1 ردیف");
inline const QString StopCopy = QStringLiteral("انصراف");
inline const QString Checking = QStringLiteral("در حال بررسی درستی همه صفحه‌های نسخه پشتیبان…");
inline const QString BackupCancelled = QStringLiteral("نسخه‌برداری متوقف شد؛ فایلی به این نام نوشته نشد.");
inline const QString RestoreCancelled = QStringLiteral("بازیابی متوقف شد؛ بانک اطلاعات همان است که بود.");
}  // namespace BackupText
