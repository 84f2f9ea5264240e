#pragma once

#include <QLabel>

// A picture that reports clicks, drawn from an SVG resource.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    PictureBox(const QString &objectName, QWidget *parent);
    void setSvg(const QString &resource);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    QString m_svg;
};
