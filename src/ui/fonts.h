#pragma once

#include <QFont>

// Maps the font names the windows ask for onto fonts that carry Persian
// letters on this system; called once before the first window opens.
void installFontSubstitutions();

// Arial at pointSize, falling back to faces with Persian letters.
QFont arialFont(int pointSize);

// Bold Arial, 12 points: the face of the menu and panel buttons.
QFont menuButtonFont();

// B Nazanin at pointSize: the face of the questionnaire's texts.
QFont nazaninFont(int pointSize, bool bold = false);
