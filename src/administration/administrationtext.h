#pragma once

#include <QString>

// The test window's and the test launch's own texts, exactly as the operator knows them.
namespace AdministrationText {
inline const QString WindowCaption = QStringLiteral("صفحه اجراي تست");
inline const QString SkinLabel3Text = QStringLiteral("پرسشنامه سنجش انگيزه شغلي کورول ");
inline const QString SkinLabel4Text = QStringLiteral("اين پرسش نامه به انگيزه شغلي مربوط است در زير تعدادي از باورهاي بيان شده توسط افراد، مطرح شده است لطفاً هر کدام را به دقّت بخوانيد و ميزان موافقت خود را با هر يک از جملات زير مشخّص کنيد");
inline const QString SkinLabel5Text = QStringLiteral("هيچ پاسخ درست يا غلط براي گزينه ها وجود ندارد، لطفاً به همه ي گزينه ها پاسخ دهيد");
inline const QString SkinLabel6Text = QStringLiteral(" کاملاً موافقم=4  --- 3= موافقم ---  2= مخالفم  --- 1= کاملاً مخالفم ");
inline const QString Option1Caption = QStringLiteral("کاملا موافقم");
inline const QString Option2Caption = QStringLiteral("موافقم");
inline const QString Option3Caption = QStringLiteral("مخالف");
inline const QString Option4Caption = QStringLiteral("کاملا مخالف");
inline const QString CmdBackCaption = QStringLiteral("قبلي");
inline const QString CmdNextCaption = QStringLiteral("بعدي");
inline const QString Command1Caption = QStringLiteral("شروع");
inline const QString Command2Caption = QStringLiteral("خروج");
inline const QString Command5Caption = QStringLiteral("ذخيره و خروج");
inline const QString Start = QStringLiteral("شروع");
inline const QString End = QStringLiteral("پايان");
inline const QString MustEnterNumber = QStringLiteral("شما بايد عدد وارد كنيد");
inline const QString CodePrompt = QStringLiteral(" Plese Insert Code ");
inline const QString CodeCaption = QStringLiteral("Enter Code ");
inline const QString NeedSubjectNumber = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
inline const QString NoSuchSubject = QStringLiteral("فردي با اين مشخصات وجود ندارد");
}  // namespace AdministrationText
