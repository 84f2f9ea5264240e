#pragma once

#include <QString>

class QWidget;

// Every modal question and notice of the program goes through here, so that
// tests can answer them from a script instead of a person.
class Prompts
{
public:
    enum class Icon { None, Information, Exclamation, Critical };

    virtual ~Prompts() = default;

    // Free text from the operator; an empty text when the box is cancelled.
    virtual QString inputBox(QWidget *parent, const QString &text, const QString &caption,
                             const QString &defaultText = QString()) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget *parent, const QString &text, const QString &caption) = 0;
    // A box that stays until the operator closes it (errors, warnings).
    virtual void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) = 0;
    // A file chosen to read or write; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    // Whether the dialog itself asks before a file that exists is chosen;
    // NoQuestion when the caller asks its own question.
    enum class Replace { Ask, NoQuestion };
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                                 const QString &filter, Replace replace = Replace::Ask) = 0;
    // A notice that closes by itself periodMs after it opened.
    virtual void notice(QWidget *owner, const QString &text, int periodMs) = 0;
};

// The prompts in force; real Qt dialogs unless a test installed its own.
Prompts &prompts();
// Installs p (not owned) in place of the real dialogs; nullptr restores them.
// Returns what was installed before.
Prompts *setPrompts(Prompts *p);

// Real dialogs: Persian, right to left, with the captions and icons asked for.
class DialogPrompts : public Prompts
{
public:
    QString inputBox(QWidget *parent, const QString &text, const QString &caption,
                     const QString &defaultText) override;
    bool question(QWidget *parent, const QString &text, const QString &caption) override;
    void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                         const QString &filter, Replace replace = Replace::Ask) override;
    void notice(QWidget *owner, const QString &text, int periodMs) override;
};
