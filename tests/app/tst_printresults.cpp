#include "store/database.h"
#include "runprogram.h"
#include "support/files.h"
#include "support/programfolder.h"
#include "support/subjects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString pdfText(const QString &path)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return QStringLiteral("(unreadable pdf)");
    QString text;
    for (int page = 0; page < document.pageCount(); ++page)
        text += document.getAllText(page).text() + u'\n';
    return text;
}

}  // namespace

class TestPrintResults : public QObject
{
    Q_OBJECT

    // The program copied into a fresh program folder, with three subjects.
    static void prepare(ProgramFolder &folder)
    {
        QVERIFY(copyProgramInto(folder));
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'Clinic7', \"Adress\" = 'Street9'")));
        QVERIFY(addSubjects({{.code = QStringLiteral("5101"), .group = QStringLiteral("A"), .score = QStringLiteral("57")},
                             {.code = QStringLiteral("5102"), .group = QStringLiteral("B"), .score = QStringLiteral("63")},
                             {.code = QStringLiteral("5103"), .group = QStringLiteral("A")}}));
    }

private slots:
    void writesEveryRegisteredSubject()
    {
        ProgramFolder folder;
        prepare(folder);
        const QString pdf = folder.filePath(QStringLiteral("all.pdf"));
        const Run run = runProgram(folder, {QStringLiteral("--print-results"), pdf});
        QCOMPARE(run.status, 0);
        QVERIFY2(!run.errors.contains(QLatin1String("quorvel:")), qPrintable(run.errors));
        const QString text = pdfText(pdf);
        for (const char *expected : {"5101", "57", "5102", "63", "5103", "Clinic7", "Street9"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
    }

    void groupLimitsTheTable()
    {
        ProgramFolder folder;
        prepare(folder);
        const QString pdf = folder.filePath(QStringLiteral("a.pdf"));
        const Run run = runProgram(folder, {QStringLiteral("--print-results"), pdf, QStringLiteral("--group"), QStringLiteral("A")});
        QCOMPARE(run.status, 0);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QLatin1String("5101")));
        QVERIFY(text.contains(QLatin1String("5103")));
        QVERIFY(!text.contains(QLatin1String("5102")));
    }

    // Reading only, it runs beside an open program holding the database.
    void runsWhileTheDatabaseIsOpen()
    {
        ProgramFolder folder;
        prepare(folder);
        const QByteArray before = readFile(folder.databasePath());
        const Run run = runProgram(folder, {QStringLiteral("--print-results"), folder.filePath(QStringLiteral("x.pdf"))});
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile(folder.databasePath()), before);
    }

    // The table is read from the store a block at a time while it is
    // written: every line of the PDF still carries its row's values, in the
    // store's order, numbered without a gap, across block edges and across
    // rows deleted in between.
    void streamedTableEqualsTheStoreRowForRow()
    {
        ProgramFolder folder;
        QVERIFY(copyProgramInto(folder));
        QVERIFY(addSubjects(2040, [](int i) {
            return StoredSubject{.code = QString::number(900000 - i * 7), .age = QString::number(20 + i % 41),
                           .education = QStringLiteral("E%1").arg(i % 9), .sex = QStringLiteral("J%1").arg(i % 2),
                           .marital = QStringLiteral("T%1").arg(i % 3), .group = QStringLiteral("G%1").arg(i % 5),
                           .score = QString::number(20 + (i * 13) % 61)};
        }));
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM \"ide\" WHERE rowid % 51 = 0")));
        QCOMPARE(folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 2000);
        const QString stored = folder.scalar(QStringLiteral(
            "SELECT group_concat(\"Code\" || ' ' || \"Group\" || ' ' || \"Sen\" || ' ' || \"Jens\" || ' ' "
            "|| \"Taahol\" || ' ' || \"Tahsil\" || ' ' || \"Nomre\", ';') FROM \"ide\"")).toString();
        const QStringList rows = stored.split(u';');
        QCOMPARE(rows.size(), 2000);

        const QString pdf = folder.filePath(QStringLiteral("all.pdf"));
        const Run run = runProgram(folder, {QStringLiteral("--print-results"), pdf});
        QCOMPARE(run.status, 0);
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        static const QRegularExpression latin(QStringLiteral("[A-Za-z0-9]+"));
        qsizetype row = 0;
        for (int page = 0; page < document.pageCount(); ++page) {
            for (const QString &line : document.getAllText(page).text().split(u'\n')) {
                QStringList printed;
                for (const QRegularExpressionMatch &match : latin.globalMatch(line))
                    printed << match.captured();
                if (printed.isEmpty())
                    continue;
                QVERIFY2(row < rows.size(), qPrintable(QStringLiteral("extra line on page %1: %2").arg(page + 1).arg(line)));
                QStringList expected = rows.at(row).split(u' ');
                expected << QString::number(row + 1);
                printed.sort();
                expected.sort();
                QVERIFY2(printed == expected, qPrintable(QStringLiteral("page %1, row %2: printed %3, stored %4")
                                                             .arg(page + 1)
                                                             .arg(row + 1)
                                                             .arg(printed.join(u' '), expected.join(u' '))));
                ++row;
            }
        }
        QCOMPARE(row, rows.size());
    }

    void failuresAreClear_data()
    {
        QTest::addColumn<bool>("removeDatabase");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing database") << true << QStringLiteral("out.pdf") << QStringLiteral("DBQORV.mdb");
        QTest::newRow("unwritable target") << false << QStringLiteral("no-such-folder/out.pdf") << QStringLiteral("no-such-folder");
        QTest::newRow("a device as target") << false << QStringLiteral("/dev/null") << QStringLiteral("/dev/null");
    }
    void failuresAreClear()
    {
        QFETCH(bool, removeDatabase);
        QFETCH(QString, target);
        QFETCH(QString, named);
        ProgramFolder folder;
        prepare(folder);
        if (removeDatabase) {
            Store::closeDatabase();
            QVERIFY(QFile::remove(folder.databasePath()));
        }
        const QString targetPath = QDir(folder.path()).absoluteFilePath(target);
        const Run run = runProgram(folder, {QStringLiteral("--print-results"), targetPath});
        QVERIFY(run.status > 0);
        QVERIFY2(run.errors.contains(QLatin1String("quorvel:")) && run.errors.contains(named), qPrintable(run.errors));
        // Nothing was written, and a device stays a device.
        QVERIFY(!QFileInfo(targetPath).isFile());
    }
};

QObject *makeTestPrintResults()
{
    return new TestPrintResults;
}

#include "tst_printresults.moc"
