#include "report/reportitems.h"

namespace Report {

Item labelItem(const QString &name, const QString &text, const QRect &rect, const QString &font, qreal size, bool bold,
               Qt::Alignment alignment)
{
    Item item;
    item.kind = Item::Kind::Label;
    item.name = name;
    item.text = text;
    item.rect = rect;
    item.fontFamily = font;
    item.pointSize = size;
    item.bold = bold;
    item.alignment = alignment;
    return item;
}

Item fieldItem(const QString &name, const QString &field, const QRect &rect, const QString &font, qreal size, bool bold)
{
    Item item = labelItem(name, QString(), rect, font, size, bold, Qt::AlignCenter);
    item.kind = Item::Kind::Field;
    item.field = field;
    return item;
}

Item lineItem(const QString &name, QPoint from, QPoint to)
{
    Item item;
    item.kind = Item::Kind::Line;
    item.name = name;
    item.rect = QRect(from, QSize(to.x() - from.x(), to.y() - from.y()));
    return item;
}

Item fillItem(const QString &name, const QRect &rect, const QColor &colour, const QString &picture)
{
    Item item;
    item.kind = Item::Kind::Image;
    item.name = name;
    item.rect = rect;
    item.colour = colour;
    item.picture = picture;
    return item;
}

QString persianDigits(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(0x06F0 + (c.unicode() - '0'));
    return text;
}

}  // namespace Report
