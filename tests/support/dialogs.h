#pragma once

#include "support/modalguard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

// Acts on the next modal dialog of type T as soon as it is up: checks every
// few milliseconds until it is the active modal widget, for timeoutMs at most.
// Until then a real dialog is expected.
template <typename T>
void whenModal(const std::function<void(T *)> &act, int timeoutMs = 5000)
{
    auto *timer = new QTimer(qApp);
    auto waited = std::make_shared<QElapsedTimer>();
    auto expecting = std::make_shared<ExpectRealDialog>();
    waited->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, expecting, act, timeoutMs] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        } else if (waited->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(5);
}
