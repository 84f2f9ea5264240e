#pragma once

#include <QString>

// The registration panel's own texts, exactly as the operator knows them.
namespace RegistryText {
inline const QString SkinLblCaption = QStringLiteral(" :کد");
inline const QString SkinLabel3Caption = QStringLiteral(" :نام");
inline const QString SkinLabel21_0Caption = QStringLiteral(" :نام خانوادگي");
inline const QString SkinLabel21_3Caption = QStringLiteral(" :سن");
inline const QString SkinLabel21_4Caption = QStringLiteral(" :تاهل");
inline const QString SkinLabel21_6Caption = QStringLiteral(" :تاريخ");
inline const QString SkinLabel21_7Caption = QStringLiteral(" :ساعت");
inline const QString SkinLabel21_2Caption = QStringLiteral(" :جنس");
inline const QString SkinLabel21_1Caption = QStringLiteral(" :گروه");
inline const QString SkinLabel21_5Caption = QStringLiteral(" :تحصيلات");
inline const QString Command8Caption = QStringLiteral("ذخيره");
inline const QString Command10Caption = QStringLiteral("انصراف");
inline const QString NeedCode = QStringLiteral("کد آزمودني را وارد کنيد");
inline const QString NeedFirstName = QStringLiteral("نام آزمودني را وارد کنيد");
inline const QString NeedLastName = QStringLiteral("نام خانوادگي آزمودني را وارد کنيد");
inline const QString NeedGender = QStringLiteral("جنسيت آزمودني را مشخص کنيد");
inline const QString NeedAge = QStringLiteral("سن آزمودني را وارد کنيد");
inline const QString NeedMarital = QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد");
inline const QString NeedGroup = QStringLiteral("گروه را مشخص کنيد");
inline const QString NeedEducation = QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد");
inline const QString Single = QStringLiteral("مجرد");
inline const QString Married = QStringLiteral("متأهل");
inline const QString Male = QStringLiteral("مرد");
inline const QString Female = QStringLiteral("زن");
inline const QString DuplicateCode = QStringLiteral("فردديگري با اين کد ثبت شده");
inline const QString MustEnterNumber = QStringLiteral("شما بايد عدد وارد كنيد");
}  // namespace RegistryText
