#include "ui/prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

Prompts *installed = nullptr;

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Prompts &prompts()
{
    static DialogPrompts real;
    return installed ? *installed : real;
}

Prompts *setPrompts(Prompts *p)
{
    Prompts *previous = installed;
    installed = p;
    return previous;
}

QString DialogPrompts::inputBox(QWidget *parent, const QString &text, const QString &caption,
                                const QString &defaultText)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(text);
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

bool DialogPrompts::question(QWidget *parent, const QString &text, const QString &caption)
{
    // Questions carry no icon, only their words and the two buttons.
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void DialogPrompts::message(QWidget *parent, const QString &text, const QString &caption, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    box.exec();
}

QString DialogPrompts::openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString DialogPrompts::saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                                    const QString &filter, Replace replace)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter, nullptr,
                                        replace == Replace::Ask ? QFileDialog::Options()
                                                                : QFileDialog::DontConfirmOverwrite);
}

void DialogPrompts::notice(QWidget *owner, const QString &text, int periodMs)
{
    static const QString caption = QStringLiteral("پيام");
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("SelfClosingMessage"));
    box.setLayoutDirection(Qt::RightToLeft);
    // The timer belongs to this box: it can close this box and no other, and dies with it.
    auto *timer = new QTimer(&box);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, &box, [&box] { box.done(QMessageBox::Ok); });
    timer->start(periodMs);
    box.exec();
}
