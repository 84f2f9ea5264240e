#include "support/modalguard.h"

#include "ui/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

int expected = 0;
QString lastClosed;

bool isStandardDialog(const QWidget *widget)
{
    // The program's own windows bear the names of its forms; Qt's start with Q.
    return QByteArray(widget->metaObject()->className()).startsWith('Q');
}

class ModalGuard : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isWindow() || !widget->isModal() || !isStandardDialog(widget) || ExpectRealDialog::any()
            || dynamic_cast<DialogPrompts *>(&prompts()))
            return false;
        lastClosed = QStringLiteral("%1 (%2)").arg(widget->windowTitle(), QString::fromLatin1(widget->metaObject()->className()));
        QTest::qFail(qPrintable(QStringLiteral("a modal dialog no test expected: ") + lastClosed), __FILE__, __LINE__);
        QPointer<QWidget> dialog(widget);
        QTimer::singleShot(0, qApp, [dialog] {
            if (!dialog)
                return;
            if (auto *asDialog = qobject_cast<QDialog *>(dialog.data()))
                asDialog->reject();
            else
                dialog->close();
        });
        return false;
    }
};

}  // namespace

void installModalGuard()
{
    static ModalGuard guard;
    qApp->installEventFilter(&guard);
}

QString lastUnexpectedDialog()
{
    return lastClosed;
}

ExpectRealDialog::ExpectRealDialog()
{
    ++expected;
}

ExpectRealDialog::~ExpectRealDialog()
{
    --expected;
}

bool ExpectRealDialog::any()
{
    return expected > 0;
}
