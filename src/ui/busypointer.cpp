#include "ui/busypointer.h"

#include "store/database.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

void InstallBusyPointer()
{
    Store::setBusyWaitObserver([] {
        static bool shown = false;
        if (shown)
            return;
        shown = true;
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        // Runs once the event loop has its turn again, that is after the wait.
        QTimer::singleShot(0, qApp, [] {
            QGuiApplication::restoreOverrideCursor();
            shown = false;
        });
    });
}
