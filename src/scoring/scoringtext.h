#pragma once

#include <QString>

// The scoring window's own texts, exactly as the operator knows them.
namespace ScoringText {
inline const QString WindowCaption = QStringLiteral("کليد گذاري");
inline const QString ResultCaption = QStringLiteral("نتيجه تست");
inline const QString Command1Caption = QStringLiteral("انتخاب آزمودني");
inline const QString Command6Caption = QStringLiteral("پرينت آزمودني انتخاب شده");
inline const QString Command3Caption = QStringLiteral("پرينت کل  آزمودني ها ");
inline const QString Command2Caption = QStringLiteral("راهنما");
inline const QString Command4Caption = QStringLiteral(" خروج");
inline const QString Command7Caption = QStringLiteral("خروج");
inline const QString CodePrompt = QStringLiteral(" Enter Number ");
inline const QString CodeTitle = QStringLiteral(" کد آزمودني را وارد کنيد");
inline const QString CodeRequired = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
inline const QString NoSuchSubject = QStringLiteral("فردي با اين مشخصات وجود ندارد");
inline const QString ErrorCaption = QStringLiteral("خطا");
inline const QString Unanswered = QStringLiteral("شما به سوالات زير پاسخ نداده ايد و تا به تمام سوالات پاسخ ندهيد نمي توانيد نمره گذاري را انجام دهيد");
inline const QString Scored = QStringLiteral("اطلاعات با موفقيت محاسبه و ذخيره شد");
inline const QString NothingSelected = QStringLiteral("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني را وارد کنيد بعد روي پرينت کليک کنيد ");
// The help panel, line by line, each line ended by CR LF.
inline const QString HelpText = QStringLiteral(
    "در اين قسمت از نرم افزار ابتدا روي انتخاب آزمودني \r\n"
    "کليک کرده سپس کد آزمودني را وارد کنيد و دکمه \r\n"
    "اينتر را فشار دهيد نتيجه آزمون نمايش داده و ذخيره \r\n"
    "خواهد شد در صورتيکه تمايل داريد نتيجه آزمون را \r\n"
    "پرينت بگيريد روي دکمه پرينت آزمودني انتخاب شده \r\n"
    "کليک کنيد و در صورتيکه تمايل به پرينت نتيجه آزمون \r\n"
    "کل آزمودنيها را داريد روي دکمه پرينت کل آزمودنيها کليک کنيد\r\n");
}  // namespace ScoringText
