#pragma once

#include <QString>

// The analysis window's and the exports' own texts.
namespace AnalysisText {
inline const QString AllGroups = QStringLiteral("همه گروه‌ها");
inline const QString NoGroup = QStringLiteral("بدون گروه");
inline const QString AnovaNeedsGroups =
    QStringLiteral("تحلیل واریانس دست‌کم دو گروه لازم دارد که هر کدام دو نمره یا بیشتر داشته باشند.");
inline const QString AnovaNoVariance = QStringLiteral("نمره‌ها درون گروه‌ها هیچ پراکندگی ندارند؛ آزمون F معنا ندارد.");
inline const QString AlphaNeedsRows = QStringLiteral("آلفای کرونباخ دست‌کم دو پاسخ‌نامه کامل (هر بیست پاسخ میان ۱ و ۴) لازم دارد.");
inline const QString AlphaNoVariance = QStringLiteral("نمره کل پاسخ‌نامه‌های کامل هیچ پراکندگی ندارد؛ آلفا را نمی‌توان حساب کرد.");
// Value labels of the answers: the test window's option texts.
inline const QString Answer1 = QStringLiteral("کاملا مخالف");
inline const QString Answer2 = QStringLiteral("مخالف");
inline const QString Answer3 = QStringLiteral("موافقم");
inline const QString Answer4 = QStringLiteral("کاملا موافقم");
// Export failures.
inline const QString UnknownFormat = QStringLiteral("قالب فایل را از پسوند آن نمی‌توان دانست (‎.sav، ‎.xlsx یا ‎.csv): %1");
inline const QString WriteFailed = QStringLiteral("فایل نوشته نشد: %1 (%2)");
// The cause when the library that makes the file fails for a reason the disk does not explain.
inline const QString FormatFailed = QStringLiteral("ساختن فایل در این قالب ممکن نشد");
// The subjects could not be read for an export; the store's cause follows.
inline const QString ReadFailed = QStringLiteral("آزمودنی‌ها از بانک اطلاعات خوانده نشدند و فایلی نوشته نشد.\n%1");
}  // namespace AnalysisText
