#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

// Acts on the next modal dialog of type T as soon as it is up: checks every
// few milliseconds until it is the active modal widget, for timeoutMs at most.
template <typename T>
void whenModal(const std::function<void(T *)> &act, int timeoutMs = 5000)
{
    auto *timer = new QTimer(qApp);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, act, timeoutMs] {
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
