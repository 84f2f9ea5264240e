#pragma once

#include <QString>

// A test that meets a modal dialog nobody expected fails at once with the
// dialog's title and class, and the dialog is closed so that the test goes
// on: nothing waits for a person, or for the test framework's watchdog.
// Guarded are the dialogs that can hold a caller in their own event loop
// (every QDialog: message, input, file and print dialogs, and the program's
// own dialogs run with exec()) and every other modal window of Qt's. The
// program's modal windows that are only shown never block and are let be.
// A dialog let up because a test expected it, and still up once nothing
// expects it any more, fails its test and is closed the same way.
void installModalGuard();

// The title and class of the last dialog the guard closed.
QString lastUnexpectedDialog();

// How many unexpected dialogs came while no test function ran; the run fails then.
int unexpectedDialogsOutsideTests();

// Declares, while it lives, that the test drives a real dialog on purpose.
// Real prompts (RealDialogs) count as expecting their dialogs too.
class ExpectRealDialog
{
public:
    ExpectRealDialog();
    ~ExpectRealDialog();
    ExpectRealDialog(const ExpectRealDialog &) = delete;
    ExpectRealDialog &operator=(const ExpectRealDialog &) = delete;

    static bool any();
};

// Declares, while it lives, that the program may put up its progress box of
// this object name (a QProgressDialog the program shows by itself when its
// work lasts, and takes away when the work is done). Only a progress box of
// that name is let be; any other dialog is refused as before, and the box
// still up when this goes fails the test as a dialog left up.
class ExpectProgressBox
{
public:
    explicit ExpectProgressBox(const QString &objectName);
    ~ExpectProgressBox();
    ExpectProgressBox(const ExpectProgressBox &) = delete;
    ExpectProgressBox &operator=(const ExpectProgressBox &) = delete;

private:
    QString m_name;
};
