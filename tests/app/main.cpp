#include "ui/fonts.h"

#include <QApplication>
#include <QTest>

int runFrm1Tests(int argc, char **argv);
int runStartupTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    int failures = 0;
    failures += runFrm1Tests(argc, argv);
    failures += runStartupTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
