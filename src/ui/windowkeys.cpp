#include "ui/windowkeys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

void CloseByKeyboard(QWidget *window)
{
    // Ctrl+W by name: the platform's own Close key differs from desktop to desktop.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
    }
}
