// The exports read back by the programs people open them with: the SPSS file
// by PSPP, the workbook by openpyxl and the CSV file by Python's csv module.
#include "analysis/analysistext.h"
#include "analysis/exports.h"
#include "causes/causes.h"
#include "store/database.h"
#include "support/programfolder.h"
#include "support/subjects.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Analysis;

namespace {

// A fixture of subjects: Persian names, texts that hold the CSV separator,
// quotes, a line break, a bare carriage return and a leading formula sign, an
// empty answer, a score that is not a number and a date that is not a solar date.
struct Fixture
{
    ProgramFolder folder;
    QList<SubjectRecord> subjects;
    QStringList items;
    Results results;

    Fixture()
    {
        const struct {
            const char *code, *first, *last, *age, *group, *date, *score;
            int seed;
        } rows[] = {
            {"101", "مریم", "رضایی نژاد", "34", "A", "1405/09/19", "52", 1},
            {"102", "علی", "محمدی, \"کوچک\"", "41", "A", "1399/12/30", "61", 2},
            {"103", "زهرا", "احمدی\nدوم", "29", "B", "1405/01/01", "38", 3},
            {"104", "=SUM(A1)", "+98", "x", "B", "not a date", "45", 4},
            {"105", "حسین", "-کاظمی", "52", "C", "1380/07/08", "", 5},
            {"106", "فاطمه", "@نوری", "47", "C", "1402/03/15", "70", 6},
            {"107", "رضا", "کریمی", "38", "C", "1403/12/30", "58", 7},
            {"108", "carriage\rreturn", "bare\rCR", "33", "A", "1404/02/10", "49", 8},
        };
        QList<StoredSubject> stored;
        for (const auto &row : rows) {
            QStringList answers;
            for (int item = 1; item <= kItems; ++item) {
                // Answers that vary from item to item and subject to subject; 107 leaves item 5 empty.
                const int value = 1 + (row.seed * 7 + item * (row.seed % 3 + 1)) % 4;
                answers << ((item == 5 && row.seed == 7) ? QString() : QString::number(value));
            }
            stored << StoredSubject{.code = QString::fromUtf8(row.code), .firstName = QString::fromUtf8(row.first),
                                .lastName = QString::fromUtf8(row.last), .age = QString::fromUtf8(row.age),
                                .education = QStringLiteral("کارشناسی"), .sex = QStringLiteral("زن"),
                                .marital = QStringLiteral("متأهل"), .group = QString::fromUtf8(row.group),
                                .date = QString::fromUtf8(row.date), .time = QStringLiteral("10:42:05"),
                                .score = *row.score ? QString::fromUtf8(row.score) : QString(), .answers = answers};
        }
        QVERIFY_FOR(addSubjects(stored));
        QVERIFY_FOR(readSubjects(QString(), &subjects).status == ReadStatus::Read);
        items = readItemTexts();
        results = analyse(subjects);
    }
    static void QVERIFY_FOR(bool ok)
    {
        if (!ok)
            qFatal("the fixture could not be made");
    }
    ExportInput input() const { return {subjects, items, results, AnalysisText::AllGroups}; }
};

// Runs a program to its end and gives what it printed; fails the test on a non-zero status.
QString run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning().noquote() << process.readAllStandardOutput() << process.readAllStandardError();
        return QStringLiteral("FAILED");
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString python()
{
    // Debian's own interpreter, which has openpyxl.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

// The number printed in PSPP's table line that starts with label, in column index.
double psppNumber(const QString &output, const QString &label, int index)
{
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char(','));
        if (!cells.isEmpty() && cells.first().trimmed() == label && index < cells.size())
            return cells.at(index).trimmed().toDouble();
    }
    return std::nan("");
}

}  // namespace

class TestExports : public QObject
{
    Q_OBJECT

private slots:
    void savReadByPspp()
    {
        Fixture fixture;
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("results.sav"));
        const ExportResult result = exportSubjects(path, ExportFormat::Sav, fixture.input());
        QVERIFY2(result.written, qPrintable(result.error));
        QFile syntax(out.filePath(QStringLiteral("check.sps")));
        QVERIFY(syntax.open(QIODevice::WriteOnly));
        syntax.write("SET DECIMAL=DOT.\n"
                     "GET FILE='results.sav'.\n"
                     "DISPLAY DICTIONARY.\n"
                     "LIST VARIABLES=Code FName LName Age Date RegDate Score Q5 /CASES=FROM 1 TO 7.\n"
                     "DESCRIPTIVES VARIABLES=Score /STATISTICS=MEAN STDDEV MIN MAX.\n"
                     "RELIABILITY /VARIABLES=Q1 TO Q20 /SUMMARY=TOTAL.\n"
                     "AUTORECODE VARIABLES=Group /INTO GroupN.\n"
                     "ONEWAY Score BY GroupN.\n");
        syntax.close();
        QVERIFY(run(QStringLiteral("pspp"), {QStringLiteral("-o"), QStringLiteral("out.csv"), QStringLiteral("check.sps")},
                    out.path()) != u"FAILED");
        QFile csv(out.filePath(QStringLiteral("out.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString printed = QString::fromUtf8(csv.readAll());

        // The dictionary: item texts as variable labels, the answers' value labels, a real date variable.
        QVERIFY(printed.contains(QStringLiteral("Q3,15,") + fixture.items[2] + QStringLiteral(",Ordinal,")));
        QVERIFY(printed.contains(QStringLiteral("RegDate,11,تاریخ ثبت (میلادی),Scale,Input,8,Right,DATE11,DATE11")));
        QVERIFY(printed.contains(fixture.items[0] + QStringLiteral(",1,کاملا مخالف\n,2,مخالف\n,3,موافقم\n,4,کاملا موافقم")));
        // The cases as stored; the solar date as a Gregorian one; system-missing where nothing is a number.
        for (const QString &line :
             {QStringLiteral("101,مریم,رضایی نژاد,34,1405/09/19,10-DEC-2026,52,2"),
              QStringLiteral("102,علی,\"محمدی, \"\"کوچک\"\"\",41,1399/12/30,20-MAR-2021,61,2"),
              QStringLiteral("103,زهرا,\"احمدی\nدوم\",29,1405/01/01,21-MAR-2026,38,3"),
              QStringLiteral("104,=SUM(A1),+98,.,not a date,.,45,3"), QStringLiteral("105,حسین,-کاظمی,52,1380/07/08,30-SEP-2001,.,3"),
              QStringLiteral("107,رضا,کریمی,38,1403/12/30,20-MAR-2025,58,.")})
            QVERIFY2(printed.contains(line), qPrintable(line));

        // PSPP's numbers equal the program's to the precision PSPP shows.
        const auto same = [](double ours, double theirs, double unit) { return std::abs(ours - theirs) <= unit / 2 + 1e-9; };
        const Results &r = fixture.results;
        QCOMPARE(psppNumber(printed, QStringLiteral("نمره"), 1), double(r.scored));
        QVERIFY(same(r.all.mean, psppNumber(printed, QStringLiteral("نمره"), 2), 0.01));
        QVERIFY(same(r.all.sd, psppNumber(printed, QStringLiteral("نمره"), 3), 0.01));
        QVERIFY(r.reliability.shown);
        QCOMPARE(psppNumber(printed, QStringLiteral("Valid"), 1), double(r.reliability.n));
        const int alphaLine = int(printed.indexOf(QStringLiteral("Cronbach's Alpha,N of Items\n")));
        QVERIFY(alphaLine > 0);
        const double alpha = printed.mid(alphaLine + 28).section(QLatin1Char(','), 0, 0).toDouble();
        QVERIFY2(same(r.reliability.alpha, alpha, 0.01), qPrintable(QStringLiteral("%1 %2").arg(r.reliability.alpha).arg(alpha)));
        for (int item = 0; item < kItems; ++item) {
            const ItemStatistics &stats = r.reliability.items[item];
            QVERIFY(stats.hasItemTotal && stats.hasAlphaIfDeleted);
            QVERIFY2(same(stats.itemTotal, psppNumber(printed, fixture.items[item], 3), 0.01), qPrintable(fixture.items[item]));
            QVERIFY(same(stats.alphaIfDeleted, psppNumber(printed, fixture.items[item], 4), 0.01));
        }
        QVERIFY(r.anova.shown);
        const int anova = int(printed.indexOf(QStringLiteral("Between Groups,")));
        QVERIFY(anova > 0);
        const QStringList between = printed.mid(anova).section(QLatin1Char('\n'), 0, 0).split(QLatin1Char(','));
        QCOMPARE(between.value(2).toInt(), r.anova.dfBetween);
        QVERIFY(same(r.anova.f, between.value(4).toDouble(), 0.01));
        QVERIFY(same(r.anova.p, between.value(5).toDouble(), 0.001));
        QVERIFY(printed.contains(QStringLiteral(",Within Groups,")));
        const QStringList within = printed.mid(printed.indexOf(QStringLiteral(",Within Groups,"))).section(QLatin1Char('\n'), 0, 0).split(QLatin1Char(','));
        QCOMPARE(within.value(3).toInt(), r.anova.dfWithin);
    }

    // openpyxl reads the workbook: text as text, numbers as numbers, the date
    // as a date, right to left, the header kept in view, and the statistics sheet.
    void xlsxReadByOpenpyxl()
    {
        Fixture fixture;
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("results.xlsx"));
        const ExportResult result = exportSubjects(path, ExportFormat::Xlsx, fixture.input());
        QVERIFY2(result.written, qPrintable(result.error));
        const QString script = QStringLiteral(
            "import json, sys, openpyxl\n"
            "wb = openpyxl.load_workbook(sys.argv[1])\n"
            "s = wb.worksheets[0]\n"
            "rows = [[(type(c.value).__name__, str(c.value) if c.value is not None else None) for c in r] for r in s.iter_rows()]\n"
            "st = wb.worksheets[1]\n"
            "stats = [[c.value for c in r] for r in st.iter_rows()]\n"
            "print(json.dumps({'names': wb.sheetnames, 'rtl': bool(s.sheet_view.rightToLeft), 'freeze': s.freeze_panes,"
            " 'rows': rows, 'stats': stats}, ensure_ascii=False))\n");
        const QString printed = run(python(), {QStringLiteral("-c"), script, path}, out.path());
        QVERIFY(printed != u"FAILED");
        const QJsonObject book = QJsonDocument::fromJson(printed.toUtf8()).object();
        QCOMPARE(book.value(QStringLiteral("names")).toArray().at(0).toString(), QStringLiteral("آزمودنی‌ها"));
        QVERIFY(book.value(QStringLiteral("rtl")).toBool());
        QCOMPARE(book.value(QStringLiteral("freeze")).toString(), QStringLiteral("A2"));
        const QJsonArray rows = book.value(QStringLiteral("rows")).toArray();
        QCOMPARE(rows.size(), 1 + fixture.subjects.size());
        const auto cell = [&](int row, int column) { return rows.at(row).toArray().at(column).toArray(); };
        QCOMPARE(cell(0, 0).at(1).toString(), QStringLiteral("Code"));
        QCOMPARE(cell(0, 12).at(1).toString(), QStringLiteral("Q1"));
        // 101: code as text, name in Persian, age and score as numbers, the date a real date.
        QCOMPARE(cell(1, 0).at(0).toString(), QStringLiteral("str"));
        QCOMPARE(cell(1, 2).at(1).toString(), QStringLiteral("رضایی نژاد"));
        QCOMPARE(cell(1, 3).at(0).toString(), QStringLiteral("int"));
        QCOMPARE(cell(1, 3).at(1).toString(), QStringLiteral("34"));
        QCOMPARE(cell(1, 10).at(0).toString(), QStringLiteral("datetime"));
        QCOMPARE(cell(1, 10).at(1).toString(), QStringLiteral("2026-12-10 00:00:00"));
        QCOMPARE(cell(1, 11).at(1).toString(), QStringLiteral("52"));
        // 102's comma and quotes, 104's formula sign, kept as text as stored.
        QCOMPARE(cell(2, 2).at(1).toString(), QStringLiteral("محمدی, \"کوچک\""));
        QCOMPARE(cell(4, 1).at(0).toString(), QStringLiteral("str"));
        QCOMPARE(cell(4, 1).at(1).toString(), QStringLiteral("=SUM(A1)"));
        // Nothing where there is no number: 104's age, 105's score, 107's fifth answer.
        QVERIFY(cell(4, 3).at(1).isNull() && cell(5, 11).at(1).isNull() && cell(7, 16).at(1).isNull());
        const QJsonArray stats = book.value(QStringLiteral("stats")).toArray();
        QCOMPARE(stats.size(), 1 + fixture.results.groups.size() + 1);
        const QJsonArray all = stats.last().toArray();
        QCOMPARE(all.at(0).toString(), AnalysisText::AllGroups);
        QCOMPARE(all.at(1).toDouble(), double(fixture.results.scored));
        QVERIFY(std::abs(all.at(2).toDouble() - fixture.results.all.mean) < 1e-9);
        QVERIFY(std::abs(all.at(3).toDouble() - fixture.results.all.sd) < 1e-9);
    }

    // Python's csv module reads one field per value, Persian intact behind the
    // byte order mark, and no cell a spreadsheet would run as a formula.
    void csvReadByPython()
    {
        Fixture fixture;
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("results.csv"));
        const ExportResult result = exportSubjects(path, ExportFormat::Csv, fixture.input());
        QVERIFY2(result.written, qPrintable(result.error));
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.read(3) == QByteArray("\xEF\xBB\xBF"));
        const QString script = QStringLiteral(
            "import csv, json, sys\n"
            "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
            "    print(json.dumps(list(csv.reader(f, strict=True)), ensure_ascii=False))\n");
        const QString printed = run(python(), {QStringLiteral("-c"), script, path}, out.path());
        QVERIFY(printed != u"FAILED");
        const QJsonArray rows = QJsonDocument::fromJson(printed.toUtf8()).array();
        QCOMPARE(rows.size(), 1 + fixture.subjects.size());
        QStringList header;
        for (const QJsonValue &name : rows.at(0).toArray())
            header << name.toString();
        QStringList expected;
        for (const Column &column : exportColumns())
            expected << column.name;
        QCOMPARE(header, expected);
        for (const QJsonValue &row : rows)
            QCOMPARE(row.toArray().size(), expected.size());
        const auto field = [&](int row, int column) { return rows.at(row).toArray().at(column).toString(); };
        QCOMPARE(field(1, 2), QStringLiteral("رضایی نژاد"));
        QCOMPARE(field(1, 10), QStringLiteral("2026-12-10"));
        QCOMPARE(field(2, 2), QStringLiteral("محمدی, \"کوچک\""));
        QCOMPARE(field(3, 2), QStringLiteral("احمدی\nدوم"));
        // A carriage return alone breaks a record for every reader unless its field is quoted.
        QCOMPARE(field(8, 1), QStringLiteral("carriage\rreturn"));
        QCOMPARE(field(8, 2), QStringLiteral("bare\rCR"));
        QCOMPARE(field(4, 1), QStringLiteral("'=SUM(A1)"));
        QCOMPARE(field(4, 2), QStringLiteral("'+98"));
        QCOMPARE(field(5, 2), QStringLiteral("'-کاظمی"));
        QCOMPARE(field(6, 2), QStringLiteral("'@نوری"));
        QCOMPARE(field(4, 3), QString());
        QCOMPARE(field(1, 3), QStringLiteral("34"));
        QCOMPARE(field(7, 16), QString());
    }

    // A cancel or a failure leaves nothing under the chosen name and nothing beside it.
    void cancelOrFailureLeavesNoFile_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("sav") << int(ExportFormat::Sav);
        QTest::newRow("xlsx") << int(ExportFormat::Xlsx);
        QTest::newRow("csv") << int(ExportFormat::Csv);
    }
    void cancelOrFailureLeavesNoFile()
    {
        QFETCH(int, format);
        Fixture fixture;
        ExportInput input = fixture.input();
        // Enough subjects for the progress to be asked.
        while (input.subjects.size() < 5000)
            input.subjects << fixture.subjects;
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("results.out"));
        int asked = 0;
        const ExportResult cancelled = exportSubjects(path, ExportFormat(format), input, [&](qint64, qint64) {
            ++asked;
            return false;
        });
        QVERIFY(cancelled.cancelled && !cancelled.written);
        QVERIFY(asked > 0);
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

        const ExportResult missing = exportSubjects(out.filePath(QStringLiteral("no/such/folder/x.out")), ExportFormat(format), input);
        QVERIFY(!missing.written && !missing.cancelled);
        QVERIFY2(missing.error.contains(QStringLiteral("no/such/folder")), qPrintable(missing.error));
        const ExportResult folder = exportSubjects(out.path(), ExportFormat(format), input);
        QVERIFY(!folder.written && !folder.error.isEmpty());
        QVERIFY(QFileInfo(out.path()).isDir());
    }

    // An export whose read fails (here no database is open any more) names
    // the store's cause in Persian; the driver's words go to the error output.
    void exportWhoseReadFailsSaysSoInPersian()
    {
        ProgramFolder folder;
        Store::closeDatabase();
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("results.csv"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: export: .+")));
        const ExportResult result = exportGroup(path, ExportFormat::Csv, QString(), AnalysisText::AllGroups, {});
        QVERIFY(!result.written && !result.cancelled);
        QCOMPARE(result.error, AnalysisText::ReadFailed.arg(Causes::storeCause(StoreFailure::Closed)));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void formatFromExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format");
        QTest::newRow("sav") << "a/b.sav" << int(ExportFormat::Sav);
        QTest::newRow("upper case") << "B.XLSX" << int(ExportFormat::Xlsx);
        QTest::newRow("csv") << "نتایج.csv" << int(ExportFormat::Csv);
        QTest::newRow("none") << "results" << -1;
        QTest::newRow("other") << "results.pdf" << -1;
        QTest::newRow("xls") << "results.xls" << -1;
    }
    void formatFromExtension()
    {
        QFETCH(QString, path);
        QFETCH(int, format);
        const std::optional<ExportFormat> found = formatForPath(path);
        QCOMPARE(found ? int(*found) : -1, format);
    }
};

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
