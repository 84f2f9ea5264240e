// Test functions that meet modal dialogs, each run alone in a process of its
// own by tst_ui: a dialog nobody expected must end its function failed, with
// the dialog named, long before any watchdog. Not a test of its own.
#include "support/dialogs.h"
#include "support/testmain.h"

#include "support/modalguard.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// The program's own dialogs bear their forms' names, not Qt's.
class ProbeDialog : public QDialog
{
    Q_OBJECT

public:
    ProbeDialog() { setWindowTitle(QStringLiteral("فرم آزمایشی")); }
};

// A window whose button runs opens(window) for the operator.
struct Window {
    explicit Window(const std::function<void(QWidget *)> &opens)
    {
        auto *button = new QPushButton(QStringLiteral("Open"), &widget);
        QObject::connect(button, &QPushButton::clicked, &widget, [this, opens] { opens(&widget); });
        widget.show();
    }
    void press() { QTest::mouseClick(widget.findChild<QPushButton *>(), Qt::LeftButton); }
    QWidget widget;
};

void warning(QWidget *parent)
{
    QMessageBox::warning(parent, QStringLiteral("پیام بی‌خبر"), QStringLiteral("?"));
}

// Work of some length with its progress box up, as the program's copy shows
// one: window modal, shown by the program, gone when the work is done. True
// when the box stayed up and unstopped until the end.
bool workWithProgress(QWidget *parent, const QString &boxName)
{
    QProgressDialog box(parent);
    box.setObjectName(boxName);
    box.setWindowTitle(QStringLiteral("Progress probe"));
    box.setWindowModality(Qt::WindowModal);
    box.setRange(0, 100);
    box.setAutoClose(false);
    box.show();
    QElapsedTimer working;
    working.start();
    while (working.elapsed() < 200) {
        box.setValue(int(working.elapsed() / 2));
        QCoreApplication::processEvents();
    }
    return box.isVisible() && !box.wasCanceled();
}

}  // namespace

class ModalGuardProbe : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxFromAWindow()
    {
        Window window(warning);
        window.press();
        // The box was closed: the function goes on.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void plainDialogFromAWindow()
    {
        Window window([](QWidget *parent) {
            QDialog dialog(parent);
            dialog.setWindowTitle(QStringLiteral("گفتگوی بی‌خبر"));
            dialog.exec();
        });
        window.press();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void programDialogFromAWindow()
    {
        Window window([](QWidget *) {
            ProbeDialog dialog;
            dialog.exec();
        });
        window.press();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Read by the script, but left up: nothing expects it any more.
    void dialogLeftUpByItsScript()
    {
        QString seen;
        whenModal<QMessageBox>([&seen](QMessageBox *box) { seen = box->windowTitle(); });
        Window window(warning);
        window.press();
        QCOMPARE(seen, QStringLiteral("پیام بی‌خبر"));
    }

    // The program's progress box, let be by name while its work lasts: the function passes.
    void expectedProgressBoxIsLetBe()
    {
        const ExpectProgressBox copying(QStringLiteral("CopyProgress"));
        bool stayedUp = false;
        Window window([&stayedUp](QWidget *parent) { stayedUp = workWithProgress(parent, QStringLiteral("CopyProgress")); });
        window.press();
        QVERIFY(stayedUp);
    }

    // A progress box of another name is as unexpected as any dialog.
    void progressBoxOfAnotherName()
    {
        const ExpectProgressBox copying(QStringLiteral("CopyProgress"));
        Window window([](QWidget *parent) { workWithProgress(parent, QStringLiteral("OtherProgress")); });
        window.press();
    }

    // Expecting a progress box lets no other dialog through.
    void messageBoxWhileAProgressBoxIsExpected()
    {
        const ExpectProgressBox copying(QStringLiteral("CopyProgress"));
        Window window(warning);
        window.press();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // A box still up once its work is declared done is left up.
    void progressBoxLeftUpAfterItsWork()
    {
        Window window([](QWidget *) {});
        QProgressDialog box(&window.widget);
        box.setObjectName(QStringLiteral("CopyProgress"));
        box.setWindowTitle(QStringLiteral("Progress probe"));
        box.setWindowModality(Qt::WindowModal);
        {
            const ExpectProgressBox copying(QStringLiteral("CopyProgress"));
            box.show();
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(!box.isVisible());
    }

    // Expected and answered: the function passes.
    void expectedDialogIsLetBe()
    {
        QString seen;
        whenModal<QMessageBox>([&seen](QMessageBox *box) {
            seen = box->windowTitle();
            box->accept();
        });
        Window window(warning);
        window.press();
        QCOMPARE(seen, QStringLiteral("پیام بی‌خبر"));
    }
};

QUORVEL_TEST_MAIN(ModalGuardProbe)
#include "modalguard_probe.moc"
