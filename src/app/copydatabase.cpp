#include "app/copydatabase.h"

#include "app/commandline.h"
#include "store/databasecopy.h"

#include <QTextStream>

int CopyDatabase(const QStringList &arguments)
{
    const qsizetype option = arguments.indexOf(QStringLiteral("--copy-database"));
    const QStringList rest = arguments.mid(option + 1);
    if (option < 0 || rest.size() != 2)
        return CommandLine::fail(QStringLiteral("استفاده: --copy-database FROM TO (مسیر فایل یا نشانی postgresql://)"));
    Store::Place from;
    Store::Place to;
    QString error;
    if (!Store::parsePlace(rest.at(0), &from, &error) || !Store::parsePlace(rest.at(1), &to, &error))
        return CommandLine::fail(error);
    if (!Store::copyDatabase(from, to, Store::TargetRule::MustBeEmpty, &error))
        return CommandLine::fail(QStringLiteral("رونوشت ساخته نشد: %1").arg(error));
    QTextStream(stdout) << "quorvel: " << from.shown() << " -> " << to.shown() << Qt::endl;
    return 0;
}
