// The floor of a start-up: a Qt program that shows one empty window of the
// given size, paints it, and ends, as the program does when timed.
#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(argc > 2 ? atoi(argv[1]) : 800, argc > 2 ? atoi(argv[2]) : 600);
    window.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return 0;
}
