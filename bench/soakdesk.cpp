// One desk of the soak run: registers subjects and answers all twenty items
// of each through the program's own record sets, with an operator's pauses
// between actions, for the seconds it is given. A refused save is tried
// again, as an operator clicks again, until it is stored. Prints one line per
// step: "<REG|ANS|READ> <epoch ms at its start> <microseconds> <tries>", and
// at the end "END <subjects> <saves> <refusals>".
#include "store/database.h"
#include "store/recordset.h"
#include "store/storeaddress.h"
#include "store/transaction.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

namespace {

QTextStream out(stdout);

struct Tally {
    int saves = 0;
    int refusals = 0;
};

// Runs step until it succeeds; a save (a read is not) counts in the tally.
void untilStored(const char *kind, Tally &tally, const std::function<bool()> &step, const std::function<void(const QString &)> &note)
{
    const bool save = qstrcmp(kind, "READ") != 0;
    const qint64 began = QDateTime::currentMSecsSinceEpoch();
    QElapsedTimer clock;
    clock.start();
    int tries = 1;
    while (!step()) {
        if (save)
            ++tally.refusals;
        ++tries;
        if (tries % 50 == 0)
            note(QStringLiteral("still refused after %1 tries").arg(tries));
        QThread::msleep(200);
    }
    if (save)
        ++tally.saves;
    out << kind << ' ' << began << ' ' << clock.nsecsElapsed() / 1000 << ' ' << tries << '\n';
    out.flush();
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    const int desk = arguments.at(2).toInt();
    const qint64 seconds = arguments.at(3).toLongLong();
    const int thinkMs = arguments.at(4).toInt();
    Store::ServerAddress address;
    QString error;
    if (!Store::parseServerUrl(arguments.at(1), &address, &error)) {
        out << "FAILED address " << error << Qt::endl;
        return 1;
    }
    const Store::OpenResult opened = Store::openServerDatabase(address);
    if (opened.status != Store::OpenStatus::Opened) {
        out << "FAILED open " << opened.detail << Qt::endl;
        return 1;
    }
    RecordSet subjects(QStringLiteral("Adodc2"), QStringLiteral("ide"));
    RecordSet answers(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
    const auto note = [](const QString &text) { QTextStream(stderr) << text << Qt::endl; };
    const auto think = [thinkMs] { QThread::msleep(QRandomGenerator::global()->bounded(thinkMs + 1)); };
    QElapsedTimer running;
    running.start();
    Tally tally;
    int registered = 0;
    while (running.elapsed() < seconds * 1000) {
        const QString code = QStringLiteral("d%1-%2").arg(desk).arg(registered + 1);
        untilStored("REG", tally, [&] {
            Transaction transaction{&subjects, &answers};
            if (transaction.isActive() && answers.addNew() && answers.setField(QStringLiteral("Code"), code) && answers.commit()
                && subjects.addNew() && subjects.setField(QStringLiteral("Code"), code)
                && subjects.setField(QStringLiteral("Group"), QStringLiteral("A")) && subjects.commit() && transaction.commit())
                return true;
            // A commit whose answer the server never sent may have stored it.
            return (answers.failure() == StoreFailure::Duplicate || subjects.failure() == StoreFailure::Duplicate);
        }, note);
        ++registered;
        think();
        untilStored("READ", tally, [&] { return answers.filterBy(QStringLiteral("Code"), code); }, note);
        for (int item = 1; item <= 20; ++item) {
            think();
            untilStored("ANS", tally, [&] {
                return answers.setField(QString::number(item), QString::number(item % 4 + 1)) && answers.commit();
            }, note);
        }
    }
    out << "END " << registered << ' ' << tally.saves << ' ' << tally.refusals << Qt::endl;
    Store::closeDatabase();
    return 0;
}
