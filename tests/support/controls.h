#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
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

// The named controls shown in window that the operator cannot see whole: each
// with what is cut off. A control must lie inside its parent; a label's text
// must fit it (wrapped text in its height), a button's caption its width.
inline QStringList clippedControls(const QWidget *window)
{
    QStringList clipped;
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !widget->isVisibleTo(window))
            continue;
        const QRect inside = widget->parentWidget()->rect();
        if (!inside.contains(widget->geometry()))
            clipped << QStringLiteral("%1 reaches out of its parent").arg(name);
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && !label->text().isEmpty()) {
            const QRect area = label->contentsRect();
            const bool rich = label->textFormat() == Qt::RichText
                              || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
            if (label->wordWrap() || rich) {
                if (label->heightForWidth(area.width()) > area.height())
                    clipped << QStringLiteral("%1 needs %2 pixels of height, has %3")
                                   .arg(name)
                                   .arg(label->heightForWidth(area.width()))
                                   .arg(area.height());
            } else {
                // One line: the ink of its letters, where the alignment puts the line, stays inside
                // (to a pixel: the painter places the line to a fraction of one).
                const QFontMetrics metrics = label->fontMetrics();
                const Qt::Alignment vertical = label->alignment() & Qt::AlignVertical_Mask;
                const int baseline = vertical & Qt::AlignTop      ? area.top() + metrics.ascent()
                                     : vertical & Qt::AlignBottom ? area.bottom() + 1 - metrics.descent()
                                                                  : area.top() + (area.height() - metrics.height()) / 2
                                                                        + metrics.ascent();
                const QRect ink = metrics.tightBoundingRect(label->text()).translated(0, baseline);
                if (ink.top() < area.top() - 1 || ink.bottom() > area.bottom() + 1)
                    clipped << QStringLiteral("%1's letters reach from %2 to %3, its height from %4 to %5")
                                   .arg(name)
                                   .arg(ink.top())
                                   .arg(ink.bottom())
                                   .arg(area.top())
                                   .arg(area.bottom());
                if (metrics.horizontalAdvance(label->text()) > area.width())
                    clipped << QStringLiteral("%1 needs %2 pixels of width, has %3")
                                   .arg(name)
                                   .arg(metrics.horizontalAdvance(label->text()))
                                   .arg(area.width());
            }
        }
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget);
            button && button->fontMetrics().horizontalAdvance(button->text()) > button->width())
            clipped << QStringLiteral("%1's caption needs %2 pixels, has %3")
                           .arg(name)
                           .arg(button->fontMetrics().horizontalAdvance(button->text()))
                           .arg(button->width());
    }
    return clipped;
}
