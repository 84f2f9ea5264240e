#include "app/copydatabase.h"

#include "app/commandline.h"
#include "store/databasecopy.h"

#include <QTextStream>

int CopyDatabase(const QStringList &places)
{
    if (places.size() != 2)
        return CommandLine::fail(QStringLiteral("استفاده: --copy-database FROM TO (مسیر فایل یا نشانی postgresql://)"));
    Store::Place from;
    Store::Place to;
    QString error;
    if (!Store::parsePlace(places.at(0), &from, &error) || !Store::parsePlace(places.at(1), &to, &error))
        return CommandLine::fail(error);
    if (!Store::copyDatabase(from, to, Store::TargetRule::MustBeEmpty, &error))
        return CommandLine::fail(QStringLiteral("رونوشت ساخته نشد: %1").arg(error));
    QTextStream(stdout) << "quorvel: " << from.shown() << " -> " << to.shown() << Qt::endl;
    return 0;
}
