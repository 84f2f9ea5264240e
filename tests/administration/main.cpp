#include "support/testmain.h"

#include <memory>

QObject *makeTestTestWindow();
QObject *makeTestIntroduction();
QObject *makeTestQuestionSheet();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> testWindow(makeTestTestWindow());
    const std::unique_ptr<QObject> introduction(makeTestIntroduction());
    const std::unique_ptr<QObject> questionSheet(makeTestQuestionSheet());
    return runTestObjects({testWindow.get(), introduction.get(), questionSheet.get()}, argc, argv);
}
