#pragma once

#include "ui/prompts.h"

#include <QList>
#include <QStringList>
#include <QVariant>

// Answers the program's questions from a script and records every prompt and
// notice. A prompt the script does not expect fails the running test (and is
// answered with "no" or an empty text, so nothing hangs); so does a scripted
// answer still unused when the script goes. Scripts nest: the innermost one
// answers, and the one before it is back in force when it goes.
class ScriptedPrompts : public Prompts
{
public:
    struct Shown {
        QString kind;  // input, question, message, open, save, notice
        QString text;  // for a save prompt, the file name proposed
        QString caption;
        Icon icon = Icon::None;
        int periodMs = 0;
        Replace replace = Replace::Ask;  // for a save prompt
    };

    ScriptedPrompts();   // installs itself
    ~ScriptedPrompts() override;  // puts back what was installed before

    void expectInput(const QString &answer) { m_script.append({QStringLiteral("input"), answer}); }
    void expectQuestion(bool yes) { m_script.append({QStringLiteral("question"), yes}); }
    void expectMessage() { m_script.append({QStringLiteral("message"), {}}); }
    void expectOpenFile(const QString &path) { m_script.append({QStringLiteral("open"), path}); }
    void expectSaveFile(const QString &path) { m_script.append({QStringLiteral("save"), path}); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList notices() const;
    // Texts of the error and information boxes shown.
    QStringList messages() const;
    const QStringList &unexpected() const { return m_unexpected; }
    // Scripted answers not asked for yet.
    QStringList unused() const;
    void clear();

    QString inputBox(QWidget *parent, const QString &text, const QString &caption,
                     const QString &defaultText) override;
    bool question(QWidget *parent, const QString &text, const QString &caption) override;
    void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                         const QString &filter, Replace replace = Replace::Ask) override;
    void notice(QWidget *owner, const QString &text, int periodMs) override;

private:
    struct Line {
        QString kind;
        QVariant answer;
    };
    QVariant take(const QString &kind, const QString &text);
    QStringList textsOf(const QString &kind) const;

    Prompts *m_previous = nullptr;
    QList<Line> m_script;
    QList<Shown> m_shown;
    QStringList m_unexpected;
};

// The real dialogs, for the few tests that drive them, while it lives.
class RealDialogs
{
public:
    RealDialogs() : m_previous(setPrompts(&m_real)) {}
    ~RealDialogs() { setPrompts(m_previous); }
    RealDialogs(const RealDialogs &) = delete;
    RealDialogs &operator=(const RealDialogs &) = delete;

private:
    DialogPrompts m_real;
    Prompts *m_previous;
};
