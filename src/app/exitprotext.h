#pragma once

#include <QString>

// The exit confirmation's own texts, exactly as the operator knows them.
namespace ExitproText {
inline const QString Caption = QStringLiteral("تهيه نسخه پشتيبان");
inline const QString Label1Text = QStringLiteral("آيا براي خروج از برنامه اطمينان داريد");
inline const QString Check1Text = QStringLiteral("تهيه نسخه پشتيبان");
// The two phrases the title takes turns with; the first keeps its leading blank.
inline const QString TakingBackup = QStringLiteral(" تهيه نسخه پشتيبان");
inline const QString BackingUp = QStringLiteral("پشتيبان گيري");
// The two pictures' words, for the keyboard and screen readers.
inline const QString ConfirmName = QStringLiteral("تأیید");
inline const QString CancelName = QStringLiteral("انصراف");
}  // namespace ExitproText
