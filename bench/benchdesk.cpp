// One simulated desk for bench_desks: registers its share of subjects and
// answers all twenty items of each, one commit per answer as the test window
// makes them, through the program's own record sets. Prints the time of each
// answer's save in microseconds, one per line, and "FAILED ..." on a refusal.
#include "store/database.h"
#include "store/recordset.h"
#include "store/storeaddress.h"
#include "store/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    const QString where = arguments.at(1);
    const int desk = arguments.at(2).toInt();
    const int first = arguments.at(3).toInt();
    const int count = arguments.at(4).toInt();
    QTextStream out(stdout);
    Store::setBusyWait(30000);
    if (where.startsWith(QLatin1String("postgres"))) {
        Store::ServerAddress address;
        QString error;
        if (!Store::parseServerUrl(where, &address, &error) || Store::openServerDatabase(address).status != Store::OpenStatus::Opened) {
            out << "FAILED open " << error << Qt::endl;
            return 1;
        }
    } else if (Store::openDatabase(where).status != Store::OpenStatus::Opened) {
        out << "FAILED open" << Qt::endl;
        return 1;
    }
    RecordSet subjects(QStringLiteral("Adodc2"), QStringLiteral("ide"));
    RecordSet answers(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
    QElapsedTimer clock;
    for (int i = first; i < first + count; ++i) {
        const QString code = QStringLiteral("d%1-%2").arg(desk).arg(i);
        {
            Transaction transaction{&subjects, &answers};
            const bool written = transaction.isActive() && answers.addNew() && answers.setField(QStringLiteral("Code"), code)
                                 && answers.commit() && subjects.addNew() && subjects.setField(QStringLiteral("Code"), code)
                                 && subjects.setField(QStringLiteral("Group"), QStringLiteral("A")) && subjects.commit()
                                 && transaction.commit();
            if (!written) {
                out << "FAILED register " << code << ' ' << subjects.errorText() << answers.errorText() << Qt::endl;
                return 1;
            }
        }
        if (!answers.filterBy(QStringLiteral("Code"), code)) {
            out << "FAILED filter " << answers.errorText() << Qt::endl;
            return 1;
        }
        for (int item = 1; item <= 20; ++item) {
            clock.start();
            if (!answers.setField(QString::number(item), QString::number(item % 4 + 1)) || !answers.commit()) {
                out << "FAILED answer " << code << ' ' << answers.errorText() << Qt::endl;
                return 1;
            }
            out << clock.nsecsElapsed() / 1000 << '\n';
        }
    }
    out.flush();
    Store::closeDatabase();
    return 0;
}
