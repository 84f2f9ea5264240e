// Renders the program's SVG icon as a square PNG of the given size, for the
// icon theme of the Debian package: rendericon ICON.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return 2;
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = atoi(argv[2]);
    if (!svg.isValid() || size <= 0) {
        fprintf(stderr, "rendericon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
