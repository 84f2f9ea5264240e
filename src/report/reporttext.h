#pragma once

#include <QString>

// The texts printed on the result table and the result card.
namespace ReportText {
inline const QString TableTitle = QStringLiteral("گزارش نتيجه پرسشنامه سنجش انگيزه شغلي کورول      ");
inline const QString AddressCaption = QStringLiteral(":آدرس");
inline const QString RowCaption = QStringLiteral("رديف");
inline const QString CodeCaption = QStringLiteral("کد");
inline const QString GroupCaption = QStringLiteral("گروه");
inline const QString AgeCaption = QStringLiteral("سن");
inline const QString GenderCaption = QStringLiteral("جنس");
inline const QString MaritalCaption = QStringLiteral("تاهل");
inline const QString EducationCaption = QStringLiteral("تحصيلات");
inline const QString ScoreCaption = QStringLiteral("نمره");
inline const QString CardTitle = QStringLiteral("پرسشنامه سنجش انگيزه شغلي کورول ");
inline const QString CardAddressCaption = QStringLiteral("آدرس");
inline const QString CardResultCaption = QStringLiteral("نتيجه تست");
inline const QString CardEducationCaption = QStringLiteral("تحصيلات");

// The line under every page of the result table: its number and when it was printed.
inline const QString PageMark = QStringLiteral("صفحه %1 از %2   |   چاپ: %3، ساعت %4");
}  // namespace ReportText
