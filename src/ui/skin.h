#pragma once

#include <QPalette>
#include <QString>

class QLineEdit;
class QWidget;

// The skin file of a theme number 1 to 11; empty for any other number.
QString SkinFileForTheme(double themeNumber);

// A window's theme: the colours and style extras of one skin file. A skin
// file is a short text: comment lines starting with ';' or '#', then
// key=value lines, where the keys are palette roles (window, windowText,
// base, button, highlight, ...) and 'style' adds a line of style sheet.
class Skin
{
public:
    // Reads the named skin file from the current folder. A missing or broken
    // file loads nothing and leaves the skin as it was.
    bool load(const QString &fileName);
    // Dresses window in the loaded skin, or in the plain look when none was loaded.
    void apply(QWidget *window) const;

    bool isLoaded() const { return m_loaded; }
    QString fileName() const { return m_fileName; }
    QString title() const { return m_title; }
    const QPalette &palette() const { return m_palette; }

private:
    bool m_loaded = false;
    QString m_fileName;
    QString m_title;
    QPalette m_palette;
    QString m_styleExtras;
};

// Reads text the way the theme box is read: blanks ignored, the number taken
// up to the first character that cannot continue it; 0 when there is none.
double ReadNumber(const QString &text);

// Loads the skin of the number in themeBox into skin (when it names one) and
// applies skin to window in every case.
void ApplyTheme(QWidget *window, Skin &skin, const QLineEdit *themeBox);
