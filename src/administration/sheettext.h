#pragma once

#include <QString>

// The introduction's and the question sheet's own texts, exactly as the operator knows them.
namespace SheetText {
inline const QString IntroductionCaption = QStringLiteral("معرفي پرسشنامه");
inline const QString SkinLabel2Text = QStringLiteral("پرسشنامه سنجش انگيزه شغلي کورول ");
inline const QString Command1Caption = QStringLiteral("خروج");
inline const QString QuestionSheetCaption = QStringLiteral("سوالات");
}  // namespace SheetText
