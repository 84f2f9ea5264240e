// Writes the fresh database that ships with the program folder.
#include "store/database.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: quorvel-makedb PATH\n";
        return 2;
    }
    QString error;
    if (!Store::createDatabase(args.at(1), &error)) {
        QTextStream(stderr) << "quorvel-makedb: " << error << '\n';
        return 1;
    }
    return 0;
}
