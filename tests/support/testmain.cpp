#include "support/testmain.h"

#include "support/modalguard.h"
#include "support/scriptedprompts.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QMetaMethod>
#include <QStringList>
#include <QTest>

#include <cstdio>

namespace {

bool hasTestFunction(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private
            && QString::fromLatin1(method.name()) == name)
            return true;
    }
    return false;
}

// Qt Test's -functions lists one object and ends the process: list them all.
void printTestFunctions(const QObject *object)
{
    static const QStringList special{QStringLiteral("initTestCase"), QStringLiteral("cleanupTestCase"),
                                     QStringLiteral("init"), QStringLiteral("cleanup")};
    const QMetaObject *meta = object->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QString name = QString::fromLatin1(method.name());
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private
            && method.parameterCount() == 0 && !special.contains(name) && !name.endsWith(QStringLiteral("_data")))
            printf("%s\n", method.methodSignature().constData());
    }
}

}  // namespace

int runTestObjects(std::initializer_list<QObject *> objects, int argc, char **argv)
{
    // QTest's options that take a value; anything else not starting with '-' names a test function.
    static const QStringList withValue{QStringLiteral("-o"), QStringLiteral("-eventdelay"), QStringLiteral("-keydelay"),
                                       QStringLiteral("-mousedelay"), QStringLiteral("-maxwarnings"),
                                       QStringLiteral("-platform"), QStringLiteral("-repeat")};
    QStringList options;
    QStringList functions;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1Char('-'))) {
            options << arg;
            if (withValue.contains(arg) && i + 1 < argc)
                options << QString::fromLocal8Bit(argv[++i]);
        } else {
            functions << arg;
        }
    }

    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    ScriptedPrompts strict;
    installModalGuard();

    if (options.contains(QStringLiteral("-functions"))) {
        for (const QObject *object : objects)
            printTestFunctions(object);
        return 0;
    }

    int failures = 0;
    QStringList unknown = functions;
    for (QObject *object : objects) {
        QStringList mine;
        for (const QString &function : functions) {
            if (hasTestFunction(object, function.section(QLatin1Char(':'), 0, 0))) {
                mine << function;
                unknown.removeAll(function);
            }
        }
        if (!functions.isEmpty() && mine.isEmpty())
            continue;
        failures += QTest::qExec(object, QStringList{QString::fromLocal8Bit(argv[0])} + options + mine);
    }
    if (!unknown.isEmpty()) {
        qWarning("no test function named %s", qPrintable(unknown.join(QStringLiteral(", "))));
        return 1;
    }
    return failures == 0 && unexpectedDialogsOutsideTests() == 0 ? 0 : 1;
}
