#include "app/themelistpanel.h"

#include "app/settingstext.h"
#include "ui/fonts.h"
#include "ui/panels.h"
#include "ui/twips.h"

#include "ui/skin.h"

#include <QPainter>
#include <QPushButton>

namespace {

// A small picture of a theme: its window colour with one of its buttons on it.
QIcon themeSwatch(const QPalette &palette)
{
    QPixmap picture(30, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.color(QPalette::Shadow), 1));
    painter.setBrush(palette.color(QPalette::Window));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 29, 15), 3, 3);
    painter.setPen(QPen(palette.color(QPalette::Dark), 1));
    painter.setBrush(palette.color(QPalette::Button));
    painter.drawRoundedRect(QRectF(8.5, 4.5, 17, 7), 2, 2);
    painter.end();
    return QIcon(picture);
}

}  // namespace

ThemeListPanel::ThemeListPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame6"));
    setProperty("panel", true);
    setGeometry(twipsRect(3480, 4200, 2595, 855));
    int theme = 1;
    for (const auto &button : SettingsText::ThemeButtons) {
        QPushButton *choice = PanelButton(this, QString::fromLatin1(button.name), button.caption,
                                        twipsRect(240, 240 + (theme - 1) * 600, 2145, 555));
        Skin skin;
        if (skin.load(SkinFileForTheme(theme))) {
            choice->setIcon(themeSwatch(skin.palette()));
            choice->setIconSize(QSize(30, 16));
        }
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
