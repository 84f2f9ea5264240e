#include "app/themelistpanel.h"

#include "app/settingstext.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/twips.h"

#include <QPushButton>

ThemeListPanel::ThemeListPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame6"));
    setProperty("panel", true);
    setGeometry(twipsRect(3480, 4200, 2595, 855));
    int theme = 1;
    for (const auto &button : SettingsText::ThemeButtons) {
        QPushButton *choice = PanelButton(this, QString::fromLatin1(button.name), button.caption,
                                        twipsRect(240, 240 + (theme - 1) * 600, 2145, 555));
        connect(choice, &QPushButton::clicked, this, [this, theme] { emit themeChosen(theme); });
        ++theme;
    }
    QPushButton *exit = PanelButton(this, QStringLiteral("Command46"), SettingsText::Command46Caption,
                                  twipsRect(720, 6900, 1185, 435));
    connect(exit, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void ThemeListPanel::open()
{
    show();
    setGeometry(twipsRect(3420, 780, 2595, 7575));
}
