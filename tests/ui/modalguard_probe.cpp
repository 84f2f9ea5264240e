// Test functions that meet modal dialogs, each run alone in a process of its
// own by tst_ui: a dialog nobody expected must end its function failed, with
// the dialog named, long before any watchdog. Not a test of its own.
#include "support/dialogs.h"
#include "support/testmain.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
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
