#include "ui/picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

PictureBox::PictureBox(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
}

void PictureBox::setSvg(const QString &resource)
{
    m_svg = resource;
    render();
}

void PictureBox::render()
{
    if (m_svg.isEmpty() || size().isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer(m_svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(size())));
    painter.end();
    setPixmap(pixmap);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    render();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
