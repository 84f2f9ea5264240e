// A clinic's long day on one PostgreSQL server, compressed: four desk
// processes (soakdesk) register subjects and answer all twenty items with an
// operator's pauses, while the server is stopped and started every two
// minutes, in turn fast, smart, immediate, by pg_ctl restart and by
// pg_terminate_backend. Every refused save is tried again until stored; at
// the end every row is checked: none lost, none doubled, every answer as
// given. Reports subjects, saves, refusals and the p50/p99 of an answer's
// save outside the restarts. QUORVEL_SOAK_SECONDS shortens the run (600 by
// default: every mode needs the full length); QUORVEL_SOAK_STOPS=0 runs the
// same desks with the server left alone, the floor of those figures.
#include "store/database.h"
#include "store/serverengine.h"
#include "store/storeaddress.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

namespace {

constexpr int kDesks = 4;
constexpr int kThinkMs = 1500;  // the longest pause of an operator between two actions

QString server(const QString &dir, const QStringList &action)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("sh"), QStringList{QStringLiteral(QUORVEL_SERVER_SCRIPT), action.first(), dir} + action.mid(1));
    script.waitForFinished(-1);
    return script.exitCode() == 0 ? QString() : QString::fromUtf8(script.readAll()) + QStringLiteral(" (failed)");
}

// One statement on the server's database, for the smart stop's setting and the final check.
bool onServer(const QString &url, const QString &sql, QList<QVariant> *row = nullptr)
{
    Store::ServerAddress address;
    QString error;
    if (!Store::parseServerUrl(url, &address, &error))
        return false;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("soak-check"));
        Store::configureServerConnection(db, address);
        QSqlQuery query(db);
        ok = db.open() && query.exec(sql);
        if (ok && row && query.next())
            for (int i = 0; i < query.record().count(); ++i)
                row->append(query.value(i));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("soak-check"));
    return ok;
}

struct Window {
    qint64 from;
    qint64 to;
};

// One stop of the server in the given way; the time it was away.
Window interrupt(const QString &dir, const QString &url, const QString &how, QString *error)
{
    const qint64 from = QDateTime::currentMSecsSinceEpoch();
    if (how == QLatin1String("restart") || how == QLatin1String("terminate")) {
        *error += server(dir, {how});
    } else {
        // A smart stop waits for the sessions to end: idle ones are ended after a second.
        if (how == QLatin1String("smart"))
            onServer(url, QStringLiteral("ALTER SYSTEM SET idle_session_timeout = '1s'"))
                && onServer(url, QStringLiteral("SELECT pg_reload_conf()"));
        *error += server(dir, {QStringLiteral("stop-only"), how});
        QThread::sleep(5);
        *error += server(dir, {QStringLiteral("start-again")});
        if (how == QLatin1String("smart"))
            onServer(url, QStringLiteral("ALTER SYSTEM RESET idle_session_timeout"))
                && onServer(url, QStringLiteral("SELECT pg_reload_conf()"));
    }
    // A save begun just after the server is back may still meet the old connection's end.
    return {from, QDateTime::currentMSecsSinceEpoch() + 2000};
}

void BM_SoakWithRestarts(benchmark::State &state)
{
    const qint64 seconds = qEnvironmentVariableIsSet("QUORVEL_SOAK_SECONDS") ? qEnvironmentVariableIntValue("QUORVEL_SOAK_SECONDS") : 600;
    for (auto _ : state) {
        QTemporaryDir folder(QStringLiteral("/tmp/quorvel-soak-XXXXXX"));
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        const QString dir = folder.filePath(QStringLiteral("s"));
        QString error = server(dir, {QStringLiteral("start")});
        if (!error.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        const QString url = QStringLiteral("postgresql://quorvel@/postgres?host=") + dir;
        QList<QProcess *> desks;
        for (int desk = 0; desk < kDesks; ++desk) {
            auto *process = new QProcess;
            process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process->start(QStringLiteral(QUORVEL_SOAK_DESK),
                           {url, QString::number(desk), QString::number(seconds), QString::number(kThinkMs)});
            desks << process;
        }
        const QStringList modes{QStringLiteral("fast"), QStringLiteral("smart"), QStringLiteral("immediate"),
                                QStringLiteral("restart"), QStringLiteral("terminate")};
        QList<Window> away;
        QElapsedTimer clock;
        clock.start();
        // At one, three, five, seven and nine tenths of the run.
        const bool stops = qEnvironmentVariable("QUORVEL_SOAK_STOPS") != QLatin1String("0");
        for (int i = 0; stops && i < modes.size(); ++i) {
            const qint64 at = seconds * 1000 * (2 * i + 1) / 10;
            while (clock.elapsed() < at)
                QThread::msleep(50);
            away << interrupt(dir, url, modes.at(i), &error);
        }
        int subjects = 0, saves = 0, refusals = 0, refusedOutside = 0;
        QList<qint64> answers;
        for (QProcess *desk : desks) {
            desk->waitForFinished(-1);  // each ends at the run's end, after the subject it is on
            for (const QString &line : QString::fromUtf8(desk->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
                const QStringList words = line.split(u' ');
                if (words.first() == QLatin1String("END")) {
                    subjects += words.at(1).toInt();
                    saves += words.at(2).toInt();
                    refusals += words.at(3).toInt();
                } else if (words.first() == QLatin1String("FAILED")) {
                    error += line;
                } else if (words.first() == QLatin1String("ANS") || words.first() == QLatin1String("REG")) {
                    const qint64 began = words.at(1).toLongLong();
                    const bool during = std::any_of(away.cbegin(), away.cend(),
                                                    [began](const Window &w) { return began >= w.from && began <= w.to; });
                    if (!during && words.at(3).toInt() > 1)
                        ++refusedOutside;
                    if (!during && words.first() == QLatin1String("ANS"))
                        answers << words.at(2).toLongLong();
                }
            }
            delete desk;
        }
        // Every subject once, both rows, every answer as given.
        QStringList asGiven;
        for (int item = 1; item <= 20; ++item)
            asGiven << QStringLiteral("\"%1\" = '%2'").arg(item).arg(item % 4 + 1);
        QList<QVariant> counts;
        onServer(url,
                 QStringLiteral("SELECT (SELECT COUNT(*) FROM \"ide\"), (SELECT COUNT(DISTINCT \"Code\") FROM \"ide\"), "
                                "(SELECT COUNT(*) FROM \"Answer\"), (SELECT COUNT(*) FROM \"Answer\" WHERE %1), "
                                "(SELECT COUNT(*) FROM \"ide\" i JOIN \"Answer\" a ON a.\"Code\" = i.\"Code\")")
                     .arg(asGiven.join(QStringLiteral(" AND "))),
                 &counts);
        server(dir, {QStringLiteral("stop")});
        if (counts.size() != 5) {
            state.SkipWithError("the rows could not be counted");
            break;
        }
        std::sort(answers.begin(), answers.end());
        state.counters["subjects"] = subjects;
        state.counters["saves"] = saves;
        state.counters["refusals"] = refusals;
        state.counters["refused_outside_restarts"] = refusedOutside;
        state.counters["stored_subjects"] = counts.at(0).toInt();
        state.counters["lost_or_doubled"] = std::abs(counts.at(0).toInt() - subjects) + (counts.at(0).toInt() - counts.at(1).toInt())
                                            + std::abs(counts.at(2).toInt() - subjects) + std::abs(counts.at(4).toInt() - subjects);
        state.counters["answered_as_given"] = counts.at(3).toInt();
        if (!answers.isEmpty()) {
            state.counters["answer_p50_ms"] = answers.at(answers.size() / 2) / 1000.0;
            state.counters["answer_p99_ms"] = answers.at(answers.size() * 99 / 100) / 1000.0;
        }
        if (!error.isEmpty())
            state.SkipWithError(qPrintable(error));
    }
}

}  // namespace

BENCHMARK(BM_SoakWithRestarts)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
