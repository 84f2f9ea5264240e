#pragma once

#include <QLabel>

// A picture that reports clicks, drawn from an SVG resource.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    PictureBox(const QString &objectName, QWidget *parent);
    void setSvg(const QString &resource);
    // Makes the picture a button for the keyboard and screen readers too:
    // it takes focus by Tab, shows it with a frame in frameColour, is
    // pressed by Space or Enter and is announced as a button named name.
    void makeButton(const QString &name, const QColor &frameColour);
    bool isButton() const { return m_button; }

signals:
    void clicked();
    // Pressed by the keyboard or a screen reader (a button only).
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    QString m_svg;
    bool m_button = false;
    QColor m_frame;
};
