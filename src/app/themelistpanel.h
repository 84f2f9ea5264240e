#pragma once

#include <QFrame>

// The theme list of the main window: one button per theme, 1 to 11, and exit.
class ThemeListPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ThemeListPanel(QWidget *parent);

    // Shows the panel in its place beside the settings panel.
    void open();

signals:
    void themeChosen(int theme);
};
