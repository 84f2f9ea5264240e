#pragma once

#include <QString>
#include <QStringList>

// The about window's texts: its caption, its button, the lines of its roll
// and the words of its credit line.
namespace AboutText {
inline const QString Caption = QStringLiteral("about");
inline const QString Command1Caption = QStringLiteral("خروج");
inline const QString SoftwareName = QStringLiteral("نام نرم افزار:");
inline const QString ProgramName = QStringLiteral("Quorvel");
inline const QString Programmer = QStringLiteral("برنامه‌نویس: گروه Quorvel");
inline const QString Telephone = QStringLiteral("تلفن: در وب‌سایت برنامه");
inline const QString EMail = QStringLiteral("info@quorvel.example");
inline const QString WebSite = QStringLiteral("www.quorvel.example");
inline const QString Shop = QStringLiteral("shop.quorvel.example");

// "This program is the work of the Quorvel group"; the maker's two-part name
// is joined by two full stops when the line is spread out.
inline const QStringList CreditWords{QStringLiteral("این"), QStringLiteral("برنامه"), QStringLiteral("ساخته"),
                                     QStringLiteral("گروه"), QStringLiteral("Quorvel"), QStringLiteral("است")};
inline constexpr int CreditMakerFirstWord = 3;
}  // namespace AboutText
