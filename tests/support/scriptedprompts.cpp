#include "support/scriptedprompts.h"

#include <QCoreApplication>
#include <QTest>

ScriptedPrompts::ScriptedPrompts() : m_previous(setPrompts(this)) {}

ScriptedPrompts::~ScriptedPrompts()
{
    setPrompts(m_previous);
    const QStringList left = unused();
    if (!left.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("scripted answers never asked for: ") + left.join(QStringLiteral("; "))),
                     __FILE__, __LINE__);
}

QStringList ScriptedPrompts::textsOf(const QString &kind) const
{
    QStringList texts;
    for (const Shown &entry : m_shown)
        if (entry.kind == kind)
            texts << entry.text;
    return texts;
}

QStringList ScriptedPrompts::notices() const
{
    return textsOf(QStringLiteral("notice"));
}

QStringList ScriptedPrompts::messages() const
{
    return textsOf(QStringLiteral("message"));
}

QStringList ScriptedPrompts::unused() const
{
    QStringList left;
    for (const Line &line : m_script)
        left << line.kind;
    return left;
}

void ScriptedPrompts::clear()
{
    m_script.clear();
    m_shown.clear();
    m_unexpected.clear();
}

QVariant ScriptedPrompts::take(const QString &kind, const QString &text)
{
    if (!m_script.isEmpty() && m_script.first().kind == kind)
        return m_script.takeFirst().answer;
    const QString what = kind + QStringLiteral(": ") + text;
    m_unexpected << what;
    QTest::qFail(qPrintable(QStringLiteral("unexpected prompt, ") + what), __FILE__, __LINE__);
    return {};
}

QString ScriptedPrompts::inputBox(QWidget *, const QString &text, const QString &caption, const QString &)
{
    m_shown.append({QStringLiteral("input"), text, caption});
    return take(QStringLiteral("input"), text).toString();
}

bool ScriptedPrompts::question(QWidget *, const QString &text, const QString &caption)
{
    m_shown.append({QStringLiteral("question"), text, caption});
    return take(QStringLiteral("question"), text).toBool();
}

void ScriptedPrompts::message(QWidget *, const QString &text, const QString &caption, Icon icon)
{
    m_shown.append({QStringLiteral("message"), text, caption, icon});
    take(QStringLiteral("message"), text);
}

QString ScriptedPrompts::openFileName(QWidget *, const QString &caption, const QString &, const QString &)
{
    m_shown.append({QStringLiteral("open"), QString(), caption});
    return take(QStringLiteral("open"), caption).toString();
}

QString ScriptedPrompts::saveFileName(QWidget *, const QString &caption, const QString &suggested, const QString &,
                                      Replace replace)
{
    m_shown.append({QStringLiteral("save"), suggested, caption, Icon::None, 0, replace});
    return take(QStringLiteral("save"), caption).toString();
}

void ScriptedPrompts::notice(QWidget *, const QString &text, int periodMs)
{
    m_shown.append({QStringLiteral("notice"), text, QStringLiteral("پيام"), Icon::None, periodMs});
    // A real box runs its own event loop while it is open; so does this one, for a moment.
    QCoreApplication::processEvents();
}
