#pragma once

#include <QString>

// A test that meets a real modal dialog nobody expected fails at once with
// the dialog's title, and the dialog is closed so that the test goes on:
// nothing waits for a person, or for the test framework's watchdog. The
// program's own modal windows are expected; Qt's standard dialogs (message,
// input, file and print dialogs) reach the screen only through the prompts
// seam, which tests script, or where a test drives them on purpose.
void installModalGuard();

// The title and class of the last dialog the guard closed.
QString lastUnexpectedDialog();

// Declares, while it lives, that the test drives a real dialog on purpose.
class ExpectRealDialog
{
public:
    ExpectRealDialog();
    ~ExpectRealDialog();
    ExpectRealDialog(const ExpectRealDialog &) = delete;
    ExpectRealDialog &operator=(const ExpectRealDialog &) = delete;

    static bool any();
};
