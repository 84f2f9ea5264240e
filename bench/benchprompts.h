#pragma once

#include "ui/prompts.h"

// Answers every prompt at once, so nothing waits for a person: the input box
// with a fixed text, questions with yes (No unless set); counts what the windows say.
class BenchPrompts : public Prompts
{
public:
    QString input;
    bool yes = false;
    int messages = 0;
    int notices = 0;

    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override { return input; }
    bool question(QWidget *, const QString &, const QString &) override { return yes; }
    void message(QWidget *, const QString &, const QString &, Icon) override { ++messages; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, Replace) override { return {}; }
    void notice(QWidget *, const QString &, int) override { ++notices; }
};
