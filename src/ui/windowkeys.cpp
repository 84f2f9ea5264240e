#include "ui/windowkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
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

namespace {

const char kDefaultButton[] = "quorvelDefaultButton";

class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        QWidget *focus = QApplication::focusWidget();
        // Once, at the widget the key is for; not in dialogs, which have defaults of their own.
        if (!focus || watched != focus || qobject_cast<QDialog *>(focus->window()))
            return false;
        if (auto *button = qobject_cast<QPushButton *>(focus)) {
            button->click();
            return true;
        }
        for (QWidget *widget = focus; widget; widget = widget->parentWidget()) {
            auto *button = qobject_cast<QAbstractButton *>(widget->property(kDefaultButton).value<QObject *>());
            if (button && button->isVisible() && button->isEnabled()) {
                button->click();
                return true;
            }
            if (widget->isWindow())
                break;
        }
        return false;
    }
};

}  // namespace

void SetDefaultButton(QWidget *container, QAbstractButton *button)
{
    static EnterPressesButtons *presser = [] {
        auto *filter = new EnterPressesButtons(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(presser);
    container->setProperty(kDefaultButton, QVariant::fromValue<QObject *>(button));
}
