#include "support/modalguard.h"

#include "ui/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace {

int expected = 0;
int outsideTests = 0;
QString lastClosed;
// Object names of the progress boxes the tests let the program show, once for each that allows it.
QStringList progressBoxes;

bool expecting()
{
    return expected > 0 || dynamic_cast<DialogPrompts *>(&prompts());
}

bool isGuarded(const QWidget *widget)
{
    if (!widget->isWindow() || !widget->isModal())
        return false;
    // Qt's classes start with Q; the program's own windows bear their forms' names.
    return qobject_cast<const QDialog *>(widget) || QByteArray(widget->metaObject()->className()).startsWith('Q');
}

bool isExpectedProgressBox(const QWidget *widget)
{
    return qobject_cast<const QProgressDialog *>(widget) && progressBoxes.contains(widget->objectName());
}

// Fails the running test naming the dialog, and closes the dialog once the
// event that showed it is through (a dialog in exec() then returns Rejected).
void refuse(QWidget *widget, const char *why)
{
    lastClosed = QStringLiteral("%1 (%2)").arg(widget->windowTitle(), QString::fromLatin1(widget->metaObject()->className()));
    const QString message = QString::fromLatin1(why) + lastClosed;
    if (QTest::currentTestFunction()) {
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    } else {
        ++outsideTests;
        qCritical("%s", qPrintable(message));
    }
    QPointer<QWidget> dialog(widget);
    QTimer::singleShot(0, qApp, [dialog] {
        if (!dialog)
            return;
        if (auto *asDialog = qobject_cast<QDialog *>(dialog.data()))
            asDialog->reject();
        else
            dialog->close();
    });
}

class ModalGuard : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && !expecting()
            && isGuarded(static_cast<QWidget *>(watched)) && !isExpectedProgressBox(static_cast<QWidget *>(watched)))
            refuse(static_cast<QWidget *>(watched), "a modal dialog no test expected: ");
        return false;
    }
};

// Once nothing expects a dialog, none of those let up earlier may stay.
void sweep()
{
    if (expecting())
        return;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && isGuarded(widget) && !isExpectedProgressBox(widget))
            refuse(widget, "a modal dialog left up after its test was done with it: ");
}

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

int unexpectedDialogsOutsideTests()
{
    return outsideTests;
}

ExpectRealDialog::ExpectRealDialog()
{
    ++expected;
}

ExpectRealDialog::~ExpectRealDialog()
{
    if (--expected == 0 && qApp)
        QTimer::singleShot(0, qApp, sweep);
}

bool ExpectRealDialog::any()
{
    return expected > 0;
}

ExpectProgressBox::ExpectProgressBox(const QString &objectName) : m_name(objectName)
{
    progressBoxes << m_name;
}

ExpectProgressBox::~ExpectProgressBox()
{
    progressBoxes.removeOne(m_name);
    if (progressBoxes.contains(m_name) || !qApp)
        return;
    // The work is over: its box must be gone with it.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == m_name && qobject_cast<QProgressDialog *>(widget))
            refuse(widget, "a progress box left up after its work was done: ");
}
