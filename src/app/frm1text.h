#pragma once

#include "ui/panels.h"

#include <QString>

// The main window's own texts, exactly as the operator knows them.
namespace Frm1Text {
inline const QString Command1Caption = QStringLiteral("ثبت نام آزمودني");
inline const QString Command2Caption = QStringLiteral("اجراي تست");
inline const QString Command3Caption = QStringLiteral("کليد گذاري");
inline const QString Command4Caption = QStringLiteral("نمايش کد آزمودني");
inline const QString Command11Caption = QStringLiteral("معرفي پرسشنامه");
inline const QString Command5Caption = QStringLiteral("ماشين حساب");
inline const QString Command13Caption = QStringLiteral("مشاهده سوالات");
inline const QString Command9Caption = QStringLiteral("تنظيمات");
inline const QString Command12Caption = QStringLiteral("درباره ما");
inline const QString Command14Caption = QStringLiteral("تحلیل و خروجی نتایج");
inline const QString Command6Caption = QStringLiteral("خروج");
inline const QString Command1Help = QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک کرده و کد آزمودني را وارد کنيد");
inline const QString Command2Help = QStringLiteral(" جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني مورد نظر را وارد کنيد ");
inline const QString Command3Help = QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد");
inline const QString Command4Help = QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد");
inline const QString Command14Help = QStringLiteral(" آمار نمره‌های هر گروه، پایایی سؤال‌ها و نمودارها را می‌بینید و نتایج را برای SPSS یا Excel خروجی می‌گیرید");
inline const QString Command9Help = QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک را وارد کنيد");
inline const QString Command68Caption = QStringLiteral("تغيير تم برنامه");
inline const QString Command67Caption = QStringLiteral(" تعريف نام کلينيک");
inline const QString Command69Caption = QStringLiteral("خروج");
inline const QString Picture1ToolTip = QStringLiteral("جهت ورود به سايت کليک کنيد");
inline const QString AlreadyRunning = QStringLiteral("برنامه در حال اجراست");
inline const QString AlreadyRunningCaption = QStringLiteral("Warnnig");
inline const QString WindowCaption = ApplicationTitle;
inline const QString SkinLabel1Text = QStringLiteral("Windowed Label");
inline const QString SkinLabel7Text = QStringLiteral("V.2.1");
// The version label's tooltip: which database the program works on.
inline const QString StoreInUse = QStringLiteral("بانک اطلاعات: %1");
}  // namespace Frm1Text
