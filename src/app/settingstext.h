#pragma once

#include <QString>

// The settings panels' and the theme confirmation's own texts, exactly as the operator knows them.
namespace SettingsText {
// Theme buttons in theme-number order: object name and caption.
inline const struct { const char *name; QString caption; } ThemeButtons[] = {
    {"Command45", QStringLiteral(" تم شماره 1")},
    {"Command44", QStringLiteral("تم شماره 2")},
    {"Command43", QStringLiteral("تم شماره 3")},
    {"Command42", QStringLiteral("تم شماره 4")},
    {"Command50", QStringLiteral(" تم شماره 5")},
    {"Command49", QStringLiteral("تم شماره 6")},
    {"Command48", QStringLiteral("تم شماره 7")},
    {"Command47", QStringLiteral("تم شماره 8")},
    {"Command41", QStringLiteral("تم شماره 9")},
    {"Command52", QStringLiteral("تم شماره 10 ")},
    {"Command53", QStringLiteral("تم شماره 11")},
};
inline const QString Command46Caption = QStringLiteral("خروج");
inline const QString FrmskinCaption = QStringLiteral("Skin");
inline const QString FrmskinHeading = QStringLiteral("تعويض تم");
inline const QString FrmskinMessage = QStringLiteral("تغييرات با موفقيت به پايان رسيد");
inline const QString SkinLabel4Caption = QStringLiteral(":نام");
inline const QString SkinLabel5Caption = QStringLiteral(":آدرس");
inline const QString Command64Caption = QStringLiteral("ذخيره ");
inline const QString Command7Caption = QStringLiteral("انصراف");
}  // namespace SettingsText
