// The floor of a PDF's memory: QPdfWriter alone writing the given number of
// A4 pages, each with one short line, to the given file.
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdlib>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const int pages = atoi(argv[1]);
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(1200);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(1000, 1000, QStringLiteral("page %1").arg(page + 1));
    }
    return painter.end() ? 0 : 1;
}
