// One workstation of a shared server, driven through the real windows for the
// tests of several desks at once. It prints what it was told, line by line:
//   desk URL register CODE GO      fills the registration and saves once GO exists
//   desk URL answer CODE READY GO  answers items 1 to 3, makes READY, waits for GO, answers item 4
//   desk URL delete CODE           deletes the subject in the lookup window
//   desk URL restore FILE          replaces the server's rows with the backup's
//   desk URL session -             takes commands on standard input, one per line:
//     register CODE   fills the registration (unless it is still open for CODE) and saves
//     test CODE       asks for the test of CODE and closes its window
//     keying, lookup  opens the window of that button on the main window and closes it
//   and ends each with "SAVED", "KEPT", "OPENED" or "NOTHING" and the code or window.
// Every prompt is answered yes and printed as "MESSAGE ..." or "NOTICE ...".
#include "app/frm1.h"
#include "backup/restore.h"
#include "store/database.h"
#include "store/storeaddress.h"
#include "support/controls.h"
#include "ui/prompts.h"

#include <QApplication>
#include <iostream>
#include <string>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextStream>
#include <QThread>
#include <QTimer>

namespace {

QTextStream out(stdout);

class PrintedPrompts : public Prompts
{
public:
    QString input;
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override { return input; }
    bool question(QWidget *, const QString &, const QString &) override { return true; }
    void message(QWidget *, const QString &text, const QString &, Icon) override
    {
        out << "MESSAGE " << QString(text).replace(u'\n', u' ') << Qt::endl;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, Replace) override { return {}; }
    void notice(QWidget *, const QString &text, int) override { out << "NOTICE " << text << Qt::endl; }
};

void waitFor(const QString &path)
{
    while (!QFile::exists(path))
        QThread::msleep(5);
}

void touch(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

void answerItem(QWidget *test, int value)
{
    control<QRadioButton>(test, QStringLiteral("Option%1").arg(value).toLatin1().constData())->click();
    click(test, "CmdNext");
}

void fillRegistration(QWidget &main, const QString &code)
{
    click(main, "Command1");
    control<QLineEdit>(main, "Text11")->setText(code);
    for (const char *box : {"Text6", "Text4", "Text7"})
        control<QLineEdit>(main, box)->setText(QStringLiteral("میز"));
    control<QLineEdit>(main, "Text5")->setText(QStringLiteral("30"));
    for (const char *list : {"Combo1", "Combo2", "Combo3"}) {
        auto *combo = control<QComboBox>(main, list);
        combo->setCurrentIndex(0);
        emit combo->activated(0);
    }
}

QWidget *visibleWindow(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name) && window->isVisible())
            return window;
    return nullptr;
}

// One command of a session; the operator's second click on Save is a
// register command for the code the panel still holds.
void runCommand(QWidget &main, PrintedPrompts &prompts, const QString &command, const QString &code)
{
    if (command == QLatin1String("register")) {
        if (!control(main, "Frame10")->isVisible() || control<QLineEdit>(main, "Text11")->text() != code)
            fillRegistration(main, code);
        click(main, "Command8");
        out << (control(main, "Frame10")->isVisible() ? "KEPT " : "SAVED ") << code << Qt::endl;
    } else if (command == QLatin1String("test")) {
        prompts.input = code;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *test = QApplication::activeModalWidget(); test && test->objectName() == QLatin1String("FrmTest")) {
                opened = true;
                click(test, "Command2");
            }
        });
        click(main, "Command2");
        out << (opened ? "OPENED test " : "NOTHING test ") << code << Qt::endl;
    } else if (command == QLatin1String("keying") || command == QLatin1String("lookup")) {
        const bool keying = command == QLatin1String("keying");
        click(main, keying ? "Command3" : "Command4");
        QWidget *window = visibleWindow(keying ? "FrmkLID" : "FrmCode");
        out << (window ? "OPENED " : "NOTHING ") << command << Qt::endl;
        if (window)
            window->close();
    } else {
        out << "UNKNOWN " << command << Qt::endl;
    }
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    Store::ServerAddress address;
    QString error;
    if (!Store::parseServerUrl(arguments.at(1), &address, &error)) {
        out << "OPEN FAILED " << error << Qt::endl;
        return 1;
    }
    const Store::OpenResult opened = Store::openServerDatabase(address);
    if (opened.status != Store::OpenStatus::Opened) {
        out << "OPEN FAILED " << int(opened.status) << ' ' << opened.detail << Qt::endl;
        return 1;
    }
    PrintedPrompts prompts;
    setPrompts(&prompts);
    const QString action = arguments.at(2);
    const QString code = arguments.at(3);
    Frm1 main;
    main.show();
    if (action == QLatin1String("session")) {
        out << "READY" << Qt::endl;
        for (std::string line; std::getline(std::cin, line);) {
            const QStringList words = QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts);
            if (!words.isEmpty())
                runCommand(main, prompts, words.at(0), words.value(1));
            QApplication::processEvents();
        }
    } else if (action == QLatin1String("register") && arguments.size() == 5) {
        fillRegistration(main, code);
        out << "READY" << Qt::endl;
        waitFor(arguments.at(4));
        click(main, "Command8");
        out << (control(main, "Frame10")->isVisible() ? "PANEL_OPEN " : "PANEL_CLOSED ")
            << control<QLineEdit>(main, "Text11")->text() << Qt::endl;
    } else if (action == QLatin1String("answer") && arguments.size() == 6) {
        prompts.input = code;
        // The test window is modal: it is driven from inside its own loop.
        QTimer::singleShot(0, [&] {
            QWidget *test = QApplication::activeModalWidget();
            if (!test) {
                out << "NO TEST WINDOW" << Qt::endl;
                return;
            }
            click(test, "Command1");
            for (int item = 1; item <= 3; ++item)
                answerItem(test, item % 4 + 1);
            touch(arguments.at(4));
            waitFor(arguments.at(5));
            answerItem(test, 4);
            out << "ITEM " << control<QLineEdit>(test, "Text6")->text() << Qt::endl;
            click(test, "Command2");
        });
        click(main, "Command2");
    } else if (action == QLatin1String("restore")) {
        QString failure;
        if (!Backup::restoreStore(code, &failure))
            out << "MESSAGE " << failure << Qt::endl;
    } else if (action == QLatin1String("delete")) {
        click(main, "Command4");
        QWidget *lookup = visibleWindow("FrmCode");
        if (!lookup) {
            out << "NO LOOKUP WINDOW" << Qt::endl;
            return 1;
        }
        control<QLineEdit>(lookup, "Text5")->setText(code);
        click(lookup, "Command2");
    } else {
        return 2;
    }
    out << "DONE" << Qt::endl;
    Store::closeDatabase();
    return 0;
}
