#pragma once

#include "report/reportdesign.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

// The placed items every report design is made of, and the digits of the
// lines the program writes itself.
namespace Report {

Item labelItem(const QString &name, const QString &text, const QRect &rect, const QString &font, qreal size, bool bold,
               Qt::Alignment alignment = Qt::AlignCenter);
// A rule from one point to another.
// A box showing a field of the current row, centred.
Item fieldItem(const QString &name, const QString &field, const QRect &rect, const QString &font, qreal size, bool bold);
Item lineItem(const QString &name, QPoint from, QPoint to);
// A band filled with colour, or drawn from a picture of the resources.
Item fillItem(const QString &name, const QRect &rect, const QColor &colour, const QString &picture = QString());

// Persian digits in place of the ASCII ones.
QString persianDigits(QString text);

}  // namespace Report
