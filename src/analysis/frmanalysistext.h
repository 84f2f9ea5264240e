#pragma once

#include <QString>

// The texts of the analysis window, its charts and its printed report.
namespace FrmAnalysisText {
inline const QString WindowCaption = QStringLiteral("تحلیل و خروجی نتایج");
inline const QString Title = QStringLiteral("تحلیل و خروجی نتایج");
inline const QString GroupCaption = QStringLiteral(" :گروه");
// Subjects of the choice, those with a score, and the complete answer sheets.
inline const QString SubjectCount = QStringLiteral("آزمودنی‌ها: %1   |   دارای نمره: %2   |   پاسخ‌نامه کامل: %3");
inline const QString NoScores = QStringLiteral(
    "هیچ آزمودنی‌ای در این انتخاب هنوز نمره ندارد. پس از کلید گذاری پاسخ‌نامه‌ها، آمار نمره‌ها این‌جا دیده می‌شود.");
inline const QString ReadCancelled = QStringLiteral("خواندن آزمودنی‌ها لغو شد؛ آنچه پیش‌تر خوانده شده بود نمایش داده می‌شود.");

inline const QString StatisticsTab = QStringLiteral("آمار گروه‌ها");
inline const QString ItemsTab = QStringLiteral("پایایی سؤال‌ها");
inline const QString ChartsTab = QStringLiteral("نمودارها");

// Columns of the group table.
inline const QString GroupColumn = QStringLiteral("گروه");
inline const QString CountColumn = QStringLiteral("تعداد");
inline const QString MeanColumn = QStringLiteral("میانگین");
inline const QString SdColumn = QStringLiteral("انحراف معیار");
inline const QString MinColumn = QStringLiteral("کمینه");
inline const QString MedianColumn = QStringLiteral("میانه");
inline const QString MaxColumn = QStringLiteral("بیشینه");
inline const QString AllRow = QStringLiteral("همه با هم");

// Columns of the item table.
inline const QString ItemColumn = QStringLiteral("سؤال");
inline const QString ItemTextColumn = QStringLiteral("متن سؤال");
inline const QString ItemTotalColumn = QStringLiteral("همبستگی با کل");
inline const QString AlphaIfDeletedColumn = QStringLiteral("آلفا بدون سؤال");

inline const QString AnovaCaption = QStringLiteral("تحلیل واریانس یک‌طرفه: ");
inline const QString AlphaCaption = QStringLiteral("آلفای کرونباخ: ");
inline const QString AlphaRows = QStringLiteral(" (از %1 پاسخ‌نامه کامل)");

// Charts.
inline const QString HistogramTitle = QStringLiteral("توزیع نمره‌ها");
inline const QString GroupMeansTitle = QStringLiteral("میانگین نمره گروه‌ها (± یک انحراف معیار)");
inline const QString ItemMeansTitle = QStringLiteral("میانگین پاسخ هر سؤال");
inline const QString ScoreAxis = QStringLiteral("نمره");
inline const QString SubjectsAxis = QStringLiteral("تعداد آزمودنی");
inline const QString GroupAxis = QStringLiteral("گروه");
inline const QString MeanScoreAxis = QStringLiteral("میانگین نمره");
inline const QString ItemAxis = QStringLiteral("شماره سؤال");
inline const QString MeanAnswerAxis = QStringLiteral("میانگین پاسخ");
inline const QString MeanSeries = QStringLiteral("میانگین");
inline const QString SdSeries = QStringLiteral("یک انحراف معیار بالا و پایین");

// Commands.
inline const QString ExportSavCaption = QStringLiteral("خروجی SPSS");
inline const QString ExportXlsxCaption = QStringLiteral("خروجی Excel");
inline const QString ExportCsvCaption = QStringLiteral("خروجی CSV");
inline const QString PrintCaption = QStringLiteral("چاپ");
inline const QString CloseCaption = QStringLiteral("خروج");

// Reading and exporting.
inline const QString Reading = QStringLiteral("خواندن آزمودنی‌ها...");
inline const QString Exporting = QStringLiteral("نوشتن فایل خروجی...");
inline const QString CancelButton = QStringLiteral("لغو");
inline const QString SaveCaption = QStringLiteral("ذخیره خروجی");
inline const QString SavFilter = QStringLiteral("فایل SPSS (*.sav)");
inline const QString XlsxFilter = QStringLiteral("کارپوشه Excel (*.xlsx)");
inline const QString CsvFilter = QStringLiteral("فایل CSV (*.csv)");
inline const QString ExportWritten = QStringLiteral("خروجی در این فایل نوشته شد:\n%1");
inline const QString ExportCancelled = QStringLiteral("نوشتن خروجی لغو شد؛ فایلی ساخته نشد.");
inline const QString ErrorCaption = QStringLiteral("خطا");
inline const QString DoneCaption = QStringLiteral("خروجی");
inline const QString ReadFailed = QStringLiteral("آزمودنی‌ها از بانک اطلاعات خوانده نشدند.");

// The printed report.
inline const QString ReportTitle = QStringLiteral("گزارش تحلیل نتایج پرسشنامه سنجش انگیزه شغلی");
inline const QString ReportChoice = QStringLiteral("گروه: %1   |   تاریخ: %2");
inline const QString ReportPageMark = QStringLiteral("صفحه %1 از %2");
}  // namespace FrmAnalysisText
