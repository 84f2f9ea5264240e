#include "ui/picturebox.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// A picture made a button is announced as one, with the press action.
class PictureButtonAccessible : public QAccessibleWidget
{
public:
    explicit PictureButtonAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<PictureBox *>(widget())->activated();
    }
};

QAccessibleInterface *pictureButtonFactory(const QString &className, QObject *object)
{
    auto *picture = qobject_cast<PictureBox *>(object);
    if (className == QLatin1String("PictureBox") && picture && picture->isButton())
        return new PictureButtonAccessible(picture);
    return nullptr;
}

}  // namespace

PictureBox::PictureBox(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
}

void PictureBox::makeButton(const QString &name, const QColor &frameColour)
{
    static const bool installed = [] {
        QAccessible::installFactory(pictureButtonFactory);
        return true;
    }();
    Q_UNUSED(installed);
    m_button = true;
    m_frame = frameColour;
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(name);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (m_button && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        emit activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_button || !hasFocus())
        return;
    QPainter painter(this);
    QPen pen(m_frame, 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
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
