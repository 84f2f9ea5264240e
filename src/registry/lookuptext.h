#pragma once

#include <QString>
#include <QStringList>

// The lookup window's own texts, exactly as the operator knows them.
namespace LookupText {
inline const QString WindowCaption = QStringLiteral("کد آزمودني");
inline const QString DataGrid1Caption = QStringLiteral("مشخصات آزمودني");
inline const QString CodeColumn = QStringLiteral("کد");
inline const QString FNameColumn = QStringLiteral("نام");
inline const QString LNameColumn = QStringLiteral("نام خانوادگي");
inline const QString GroupColumn = QStringLiteral("گروه");
inline const QString DataCombo1Label = QStringLiteral(" :نام خانوادگي");
inline const QString DataCombo6Label = QStringLiteral(" :نام ");
inline const QString Combo3Label = QStringLiteral(" :گروه");
inline const QString Combo3Initial = QStringLiteral("جنسيت را انتخاب كنيد");
inline const QString Command1Caption = QStringLiteral("پرينت بر اساس گروه");
inline const QString Frame1Caption = QStringLiteral("حذف کردن آزمودني");
inline const QString Text5Label = QStringLiteral("کد آزمودني را وارد کنيد");
inline const QString Command2Caption = QStringLiteral("حذف ");
inline const QString Command6Caption = QStringLiteral("خروج");
inline const QString CodeRequired = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
inline const QString NoSuchCode = QStringLiteral("فردي با اين کد وجود ندارد");
inline const QString ConfirmDelete = QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟");
inline const QString Deleted = QStringLiteral("حذف با موفقيت انجام گرفت");
inline const QString GroupRequired = QStringLiteral("شما بايد گروه آزمودني مورد نظر را انتخاب كنيد");
// The groups a subject can belong to, as the group chooser lists them.
inline const QStringList Groups = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
}  // namespace LookupText
