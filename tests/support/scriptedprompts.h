#pragma once

#include "ui/prompts.h"

#include <QList>
#include <QStringList>
#include <QVariant>

// Answers the program's questions from a script and records every prompt and
// notice. A prompt the test did not ask for is recorded in unexpected()
// and answered with "no" or an empty text, so a test fails instead of hanging.
class ScriptedPrompts : public Prompts
{
public:
    struct Shown {
        QString kind;  // input, question, message, open, save, notice
        QString text;
        QString caption;
        Icon icon = Icon::None;
        int periodMs = 0;
    };

    ScriptedPrompts();   // installs itself
    ~ScriptedPrompts() override;  // puts the real dialogs back

    void expectInput(const QString &answer) { m_script.append({QStringLiteral("input"), answer}); }
    void expectQuestion(bool yes) { m_script.append({QStringLiteral("question"), yes}); }
    void expectMessage() { m_script.append({QStringLiteral("message"), {}}); }
    void expectOpenFile(const QString &path) { m_script.append({QStringLiteral("open"), path}); }
    void expectSaveFile(const QString &path) { m_script.append({QStringLiteral("save"), path}); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList notices() const;
    const QStringList &unexpected() const { return m_unexpected; }
    void clear();

    QString inputBox(QWidget *parent, const QString &text, const QString &caption,
                     const QString &defaultText) override;
    bool question(QWidget *parent, const QString &text, const QString &caption) override;
    void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                         const QString &filter) override;
    void notice(QWidget *owner, const QString &text, int periodMs) override;

private:
    struct Line {
        QString kind;
        QVariant answer;
    };
    QVariant take(const QString &kind, const QString &text);

    QList<Line> m_script;
    QList<Shown> m_shown;
    QStringList m_unexpected;
};
