#pragma once

#include <QFont>

// Maps the font names the windows ask for onto fonts that carry Persian
// letters on this system; called once before the first window opens.
void installFontSubstitutions();

// Bold Arial, 12 points: the face of the menu and panel buttons.
QFont menuButtonFont();
