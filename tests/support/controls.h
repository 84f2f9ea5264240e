#pragma once

#include <QPushButton>
#include <QWidget>

// Finds a window's control by its object name, as the tests address them.
template <typename T = QWidget>
T *control(const QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

template <typename T = QWidget>
T *control(const QWidget &window, const char *name)
{
    return control<T>(&window, name);
}

inline void click(const QWidget *window, const char *button)
{
    control<QPushButton>(window, button)->click();
}

inline void click(const QWidget &window, const char *button)
{
    click(&window, button);
}
