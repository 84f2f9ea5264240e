#include "runprogram.h"
#include "support/files.h"
#include "support/subjects.h"
#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

// --export from the command line: the format from the extension, a group
// that narrows the file, relative names from where the command was given,
// and failures that name their cause and write nothing.
class TestExportData : public QObject
{
    Q_OBJECT

    static void prepare(ProgramFolder &folder)
    {
        QVERIFY(copyProgramInto(folder));
        QVERIFY(addSubjects({{.code = QStringLiteral("5101"), .firstName = QStringLiteral("مریم"), .group = QStringLiteral("A"),
                              .date = QStringLiteral("1405/09/19"), .score = QStringLiteral("57")},
                             {.code = QStringLiteral("5102"), .firstName = QStringLiteral("علی"), .group = QStringLiteral("B"),
                              .score = QStringLiteral("63")},
                             {.code = QStringLiteral("5103"), .firstName = QStringLiteral("زهرا"), .group = QStringLiteral("A")}}));
    }

private slots:
    void writesTheFormatOfTheExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("SPSS") << "out.sav" << QByteArray("$FL2");
        QTest::newRow("Excel") << "out.xlsx" << QByteArray("PK");
        QTest::newRow("CSV") << "out.CSV" << QByteArray("\xEF\xBB\xBF" "Code,FName");
    }
    void writesTheFormatOfTheExtension()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, starts);
        ProgramFolder folder;
        prepare(folder);
        const Run run = runProgram(folder, {QStringLiteral("--export"), folder.filePath(name)});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.errors.isEmpty() || !run.errors.contains(QLatin1String("quorvel:")), qPrintable(run.errors));
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(starts));
    }

    void groupNarrowsAndRelativeNamesFollowTheCommand()
    {
        ProgramFolder folder;
        prepare(folder);
        QTemporaryDir elsewhere;
        const Run run = runProgram(folder, {QStringLiteral("--export"), QStringLiteral("group-a.csv"), QStringLiteral("--group"),
                                            QStringLiteral("A")},
                                   elsewhere.path());
        QCOMPARE(run.status, 0);
        const QString written = readTextFile(elsewhere.filePath(QStringLiteral("group-a.csv")));
        QVERIFY(written.contains(QStringLiteral("\r\n5101,مریم,")));
        QVERIFY(written.contains(QStringLiteral("\r\n5103,زهرا,")));
        QVERIFY(!written.contains(QStringLiteral("5102")));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("group-a.csv"))));

        const Run none = runProgram(folder, {QStringLiteral("--export"), folder.filePath(QStringLiteral("z.csv")),
                                             QStringLiteral("--group"), QStringLiteral("Z")});
        QCOMPARE(none.status, 0);
        QCOMPARE(readTextFile(folder.filePath(QStringLiteral("z.csv"))).count(QStringLiteral("\r\n")), 1);
    }

    // Reading only, it runs beside an open program holding the database.
    void leavesTheDatabaseAsItWas()
    {
        ProgramFolder folder;
        prepare(folder);
        const QByteArray before = readFile(folder.databasePath());
        QCOMPARE(runProgram(folder, {QStringLiteral("--export"), folder.filePath(QStringLiteral("x.sav"))}).status, 0);
        QCOMPARE(readFile(folder.databasePath()), before);
    }

    // The analysis as a PDF report: the clinic, the group, the numbers, pages numbered.
    void printsTheAnalysis()
    {
        ProgramFolder folder;
        prepare(folder);
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'Clinic7'")));
        QVERIFY(addSubjects({{.code = QStringLiteral("5104"), .group = QStringLiteral("A"), .score = QStringLiteral("49")}}));
        const QString pdf = folder.filePath(QStringLiteral("analysis.pdf"));
        const Run run = runProgram(folder, {QStringLiteral("--print-analysis"), pdf, QStringLiteral("--group"), QStringLiteral("A")});
        QCOMPARE(run.status, 0);
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        QVERIFY(document.pageCount() >= 2);
        QString text;
        for (int page = 0; page < document.pageCount(); ++page)
            text += document.getAllText(page).text() + u'\n';
        // Group A: scores 57 and 49, mean 53.
        for (const QString &expected : {QStringLiteral("Clinic7"), QStringLiteral("53")})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        // The Persian digit two; a PDF reader may give back the Arabic-Indic one that shares its glyph.
        QVERIFY2(text.contains(QStringLiteral("۲")) || text.contains(QStringLiteral("٢")), "no page number");

        const Run missing = runProgram(folder, {QStringLiteral("--print-analysis"), folder.filePath(QStringLiteral("no/x.pdf"))});
        QVERIFY(missing.status > 0 && missing.errors.contains(QStringLiteral("quorvel:")));
    }

    void failuresAreClear_data()
    {
        QTest::addColumn<bool>("removeDatabase");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown extension") << false << QStringLiteral("out.pdf") << QStringLiteral("out.pdf");
        QTest::newRow("no extension") << false << QStringLiteral("results") << QStringLiteral("results");
        QTest::newRow("missing database") << true << QStringLiteral("out.sav") << QStringLiteral("DBQORV.mdb");
        QTest::newRow("missing folder") << false << QStringLiteral("no-such-folder/out.xlsx") << QStringLiteral("no-such-folder");
        QTest::newRow("a folder as target") << false << QStringLiteral("DBQORV.csv") << QStringLiteral("DBQORV.csv");
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
        if (target == u"DBQORV.csv")
            QVERIFY(QDir(folder.path()).mkdir(target));
        const QString targetPath = QDir(folder.path()).absoluteFilePath(target);
        const Run run = runProgram(folder, {QStringLiteral("--export"), targetPath});
        QVERIFY(run.status > 0);
        QVERIFY2(run.errors.contains(QLatin1String("quorvel:")) && run.errors.contains(named), qPrintable(run.errors));
        QVERIFY(!QFileInfo(targetPath).isFile());
        const QStringList left = QDir(QFileInfo(targetPath).absolutePath()).entryList({QStringLiteral(".quorvel-*")},
                                                                                     QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList());
    }
};

QObject *makeTestExportData()
{
    return new TestExportData;
}

#include "tst_exportdata.moc"
