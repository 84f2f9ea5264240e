#include "ui/fonts.h"

#include <QStringList>

void installFontSubstitutions()
{
    const QString naskh = QStringLiteral("Noto Naskh Arabic");
    QFont::insertSubstitutions(QStringLiteral("B Nazanin"), {QStringLiteral("Nazli"), naskh});
    QFont::insertSubstitutions(QStringLiteral("B Titr"), {QStringLiteral("Titr"), naskh});
    // No Zar in the Farsi fonts Debian ships; Nazli is the nearest book face.
    QFont::insertSubstitutions(QStringLiteral("B Mitra"), {QStringLiteral("Zar"), QStringLiteral("Nazli"), naskh});
    QFont::insertSubstitutions(QStringLiteral("Arabic Transparent"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Noto Sans"), naskh});
}

QFont arialFont(int pointSize)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Noto Sans"), QStringLiteral("Noto Naskh Arabic")});
    return font;
}

QFont menuButtonFont()
{
    QFont font = arialFont(12);
    font.setBold(true);
    return font;
}

QFont nazaninFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("B Nazanin"), pointSize);
    font.setBold(bold);
    return font;
}
