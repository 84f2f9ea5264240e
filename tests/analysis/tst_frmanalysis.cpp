// The analysis window over a small database of known subjects: what it shows
// for each choice of group, its charts, its exports and its printed report.
#include "analysis/analysischarts.h"
#include "analysis/analysisformat.h"
#include "analysis/analysistext.h"
#include "analysis/exports.h"
#include "analysis/frmanalysis.h"
#include "analysis/frmanalysistext.h"
#include "looks/lookcheck.h"
#include "preview/reportpreview.h"
#include "store/database.h"
#include "store/safefile.h"
#include "support/controls.h"
#include "support/modalguard.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "support/subjects.h"
#include "support/testmain.h"
#include "ui/skin.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPointer>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

struct Subject
{
    const char *code;
    const char *group;
    const char *score;    // as stored; nullptr for none
    QList<int> answers;   // twenty; 0 for an empty answer
};

QList<int> all(int answer)
{
    return QList<int>(20, answer);
}

QList<int> halves(int first, int second)
{
    QList<int> answers(10, first);
    answers << QList<int>(10, second);
    return answers;
}

QList<int> withItem(QList<int> answers, int item, int answer)
{
    answers[item - 1] = answer;
    return answers;
}

// Three groups: A scored 40, 60, 70; B scored 20, 30; C with one score (42),
// one complete sheet never scored and one sheet with an empty answer.
const QList<Subject> &fixture()
{
    static const QList<Subject> subjects = {
        {"101", "A", "40", all(2)},
        {"102", "A", "60", all(3)},
        {"103", "A", "70", halves(4, 3)},
        {"201", "B", "20", all(1)},
        {"202", "B", "30", halves(2, 1)},
        {"301", "C", nullptr, all(4)},
        {"302", "C", nullptr, withItem(all(3), 20, 0)},
        {"303", "C", "42", withItem(all(2), 1, 4)},
    };
    return subjects;
}

void store(const Subject &subject)
{
    QVERIFY(addSubjects({{.code = QString::fromLatin1(subject.code), .firstName = QStringLiteral("سارا"),
                          .lastName = QStringLiteral("احمدی"), .group = QString::fromLatin1(subject.group),
                          .score = subject.score ? QString::fromLatin1(subject.score) : QString(),
                          .answers = answerTexts(subject.answers)}}));
}

void storeFixture()
{
    for (const Subject &subject : fixture())
        store(subject);
}

// Many subjects of group A, each with a score and a complete sheet.
bool storeMany(int count)
{
    return addSubjects(count, [](int i) {
        return StoredSubject{.code = QStringLiteral("m%1").arg(i + 1), .group = QStringLiteral("A"),
                             .score = QString::number(20 + (i + 1) % 61),
                             .answers = answerTexts({1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4})};
    });
}

// What the core computes for the same subjects, to compare the window with.
Analysis::Results expected(const QString &group)
{
    QList<Analysis::SubjectRecord> subjects;
    Analysis::readSubjects(group, &subjects);
    return Analysis::analyse(subjects);
}

QStringList rowOf(const QTableWidget *table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return cells;
}

void choose(FrmAnalysis &window, int index)
{
    control<QComboBox>(window, "GroupChooser")->setCurrentIndex(index);
}

QBarSet *firstBarSet(const QChart *chart)
{
    for (QAbstractSeries *series : chart->series())
        if (auto *bars = qobject_cast<QBarSeries *>(series); bars && !bars->barSets().isEmpty())
            return bars->barSets().first();
    return nullptr;
}

QList<double> valuesOf(const QBarSet *set)
{
    QList<double> values;
    for (int i = 0; set && i < set->count(); ++i)
        values << set->at(i);
    return values;
}

QChart *chartOf(const FrmAnalysis &window, const char *name)
{
    auto *view = control<QChartView>(window, name);
    return view ? view->chart() : nullptr;
}

QList<ReportPreview *> previews()
{
    QList<ReportPreview *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<ReportPreview *>(window); preview && preview->isVisible())
            found << preview;
    return found;
}

// Every text the window shows: labels and table cells.
QStringList shownTexts(const QWidget &window)
{
    QStringList texts;
    for (const QLabel *label : window.findChildren<QLabel *>())
        texts << label->text();
    for (const QTableWidget *table : window.findChildren<QTableWidget *>())
        for (int row = 0; row < table->rowCount(); ++row)
            texts << rowOf(table, row);
    return texts;
}

// A small file system of the test's own, full or read-only, gone with the object.
class SmallDisk
{
public:
    explicit SmallDisk(bool readOnly) : m_point(QFile::encodeName(m_folder.path()))
    {
        m_mounted = ::mount("tmpfs", m_point.constData(), "tmpfs", readOnly ? MS_RDONLY : 0, "size=256k") == 0;
        if (!m_mounted || readOnly)
            return;
        // Every block taken, so that the first write of an export fails.
        const int fd = ::open(QFile::encodeName(m_folder.filePath(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const QByteArray block(4096, 'f');
        while (fd >= 0 && ::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    }
    // Detached even while a library still holds a file there.
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_point.constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QStringList files() const { return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden); }

private:
    QTemporaryDir m_folder;
    QByteArray m_point;
    bool m_mounted = false;
};

}  // namespace

class TestFrmAnalysis : public QObject
{
    Q_OBJECT

private slots:
    // Counts, the group table and the analysis of variance follow the choice.
    void choiceChangesCountsAndNumbers_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QList<qint64>>("counts");  // subjects, scored, complete sheets
        QTest::addColumn<QStringList>("groupsShown");
        QTest::addColumn<QStringList>("allRow");   // as worked out by hand
        QTest::addColumn<bool>("anovaShown");
        QTest::newRow("every group") << 0 << QString() << QList<qint64>{8, 6, 7} << QStringList{"A", "B", "C"}
                                     << QStringList{"6", "43.67", "18.57", "20", "41", "70"} << true;
        QTest::newRow("A") << 1 << QStringLiteral("A") << QList<qint64>{3, 3, 3} << QStringList{"A"}
                           << QStringList{"3", "56.67", "15.28", "40", "60", "70"} << false;
        QTest::newRow("B") << 2 << QStringLiteral("B") << QList<qint64>{2, 2, 2} << QStringList{"B"}
                           << QStringList{"2", "25.00", "7.07", "20", "25", "30"} << false;
        QTest::newRow("C: one score, no SD") << 3 << QStringLiteral("C") << QList<qint64>{3, 1, 2} << QStringList{"C"}
                                             << QStringList{"1", "42.00", AnalysisFormat::Dash, "42", "42", "42"} << false;
    }
    void choiceChangesCountsAndNumbers()
    {
        QFETCH(int, index);
        QFETCH(QString, group);
        QFETCH(QList<qint64>, counts);
        QFETCH(QStringList, groupsShown);
        QFETCH(QStringList, allRow);
        QFETCH(bool, anovaShown);
        ProgramFolder folder;
        storeFixture();
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        choose(window, index);
        QCOMPARE(window.groupLabel(), index == 0 ? AnalysisText::AllGroups : group);
        QCOMPARE(control<QLabel>(window, "SubjectCount")->text(),
                 FrmAnalysisText::SubjectCount.arg(counts.at(0)).arg(counts.at(1)).arg(counts.at(2)));

        const Analysis::Results results = expected(group);
        auto *table = control<QTableWidget>(window, "GroupTable");
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), groupsShown.size() + 1);
        for (int row = 0; row < groupsShown.size(); ++row) {
            QCOMPARE(table->item(row, 0)->text(), groupsShown.at(row));
            QCOMPARE(rowOf(table, row).mid(1), AnalysisFormat::summaryCells(results.groups.at(row).score));
        }
        QCOMPARE(rowOf(table, int(groupsShown.size())), QStringList{FrmAnalysisText::AllRow} + allRow);

        auto *anova = control<QLabel>(window, "AnovaResult");
        QCOMPARE(anova->text(), AnalysisFormat::anovaLine(results.anova));
        QCOMPARE(results.anova.shown, anovaShown);
        if (anovaShown) {
            // Groups A and B have two scores or more: one and three degrees of freedom.
            QVERIFY2(anova->text().contains(QStringLiteral("F(1, 3) = ")), qPrintable(anova->text()));
            QVERIFY(anova->text().contains(QStringLiteral("η² = ")));
        } else {
            QVERIFY(anova->text().endsWith(results.anova.whyNot));
        }
        QVERIFY(!control(window, "NoScores")->isVisible());
        QVERIFY(scripted.shown().isEmpty());
    }

    // The item table names each item as QU holds it, with its statistics.
    void itemTableShowsTextsAndStatistics()
    {
        ProgramFolder folder;
        storeFixture();
        ScriptedPrompts scripted;
        FrmAnalysis window;
        const Analysis::Results results = expected(QString());
        const QStringList texts = Analysis::readItemTexts();
        auto *items = control<QTableWidget>(window, "ItemTable");
        QCOMPARE(items->rowCount(), 20);
        QCOMPARE(results.reliability.items.size(), 20);
        for (int row = 0; row < 20; ++row) {
            QCOMPARE(items->item(row, 0)->text(), QString::number(row + 1));
            QVERIFY(!texts.at(row).isEmpty());
            QCOMPARE(items->item(row, 1)->text(), texts.at(row));
            QCOMPARE(rowOf(items, row).mid(2), AnalysisFormat::itemCells(results.reliability.items.at(row)));
        }
        // Item 1 over the seven complete sheets: 2, 3, 4, 1, 2, 4, 4.
        QCOMPARE(items->item(0, 2)->text(), QStringLiteral("2.86"));
        auto *alpha = control<QLabel>(window, "AlphaResult");
        QCOMPARE(alpha->text(), AnalysisFormat::alphaLine(results.reliability));
        QVERIFY(alpha->text().contains(FrmAnalysisText::AlphaRows.arg(7)));
        QVERIFY(alpha->text().contains(QStringLiteral("α = ") + QString::number(results.reliability.alpha, 'f', 3)));
    }

    // When every item but the first is answered alike, no item has a
    // correlation with its rest: the table shows the dash there and for
    // alpha without item 1, and alpha itself reads 0; nothing reads "nan".
    void constantRestShowsDashesNeverNan()
    {
        ProgramFolder folder;
        QVERIFY(addSubjects(4, [](int i) {
            QList<int> answers(20, 2);
            answers[0] = i + 1;
            return StoredSubject{.code = QString::number(401 + i), .group = QStringLiteral("A"),
                                 .score = QString::number(39 + i), .answers = answerTexts(answers)};
        }));
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        auto *items = control<QTableWidget>(window, "ItemTable");
        QCOMPARE(items->rowCount(), 20);
        QCOMPARE(rowOf(items, 0).mid(2), (QStringList{QStringLiteral("2.50"), QStringLiteral("1.29"), AnalysisFormat::Dash,
                                                      AnalysisFormat::Dash}));
        for (int row = 1; row < 20; ++row)
            QCOMPARE(rowOf(items, row).mid(2), (QStringList{QStringLiteral("2.00"), QStringLiteral("0.00"), AnalysisFormat::Dash,
                                                            QStringLiteral("0.000")}));
        QVERIFY2(control<QLabel>(window, "AlphaResult")->text().contains(QStringLiteral("α = 0.000")),
                 qPrintable(control<QLabel>(window, "AlphaResult")->text()));
        for (const QString &text : shownTexts(window))
            QVERIFY2(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) && !text.contains(QStringLiteral("inf")),
                     qPrintable(text));
    }

    // With no score to show the window still opens and says so; nothing reads "nan".
    void withoutScoresItSaysSo_data()
    {
        QTest::addColumn<bool>("withFixture");
        QTest::addColumn<int>("index");
        QTest::newRow("no subject at all") << false << 0;
        QTest::newRow("a group with no subject") << true << 4;
        QTest::newRow("only unscored subjects") << false << 3;
    }
    void withoutScoresItSaysSo()
    {
        QFETCH(bool, withFixture);
        QFETCH(int, index);
        ProgramFolder folder;
        if (withFixture)
            storeFixture();
        else
            for (const Subject &subject : fixture())
                if (!subject.score)
                    store(subject);
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        choose(window, index);
        auto *message = control<QLabel>(window, "NoScores");
        QVERIFY(message->isVisible());
        QCOMPARE(message->text(), FrmAnalysisText::NoScores);
        QVERIFY(!control(window, "GroupTable")->isVisible());
        QVERIFY(!control(window, "AnovaResult")->isVisible());
        for (const QString &text : shownTexts(window))
            QVERIFY2(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) && !text.contains(QStringLiteral("inf")),
                     qPrintable(text));
        QVERIFY(scripted.shown().isEmpty());
    }

    // The charts hold the histogram, the group means with their spread and the item means.
    void chartsHoldTheResults()
    {
        ProgramFolder folder;
        storeFixture();
        ScriptedPrompts scripted;
        FrmAnalysis window;
        const Analysis::Results results = expected(QString());

        // Scores 20, 30, 40, 42, 60, 70 in bins of five points from 20.
        const QList<double> histogram{1, 0, 1, 0, 2, 0, 0, 0, 1, 0, 1, 0};
        QCOMPARE(valuesOf(firstBarSet(chartOf(window, "ScoreHistogram"))), histogram);

        QChart *means = chartOf(window, "GroupMeans");
        QList<double> groupMeans;
        for (const Analysis::GroupSummary &group : results.groups)
            groupMeans << group.score.mean;
        QCOMPARE(valuesOf(firstBarSet(means)), groupMeans);
        // A whisker from one SD under the mean to one over it, for each group with an SD.
        QStringList whiskers;
        for (QAbstractSeries *series : means->series()) {
            auto *line = qobject_cast<QLineSeries *>(series);
            if (!line)
                continue;
            whiskers << line->objectName();
            double low = 1e9, high = -1e9, x = 0;
            for (const QPointF &point : line->points()) {
                low = qMin(low, point.y());
                high = qMax(high, point.y());
                x = point.x();
            }
            const int index = qRound(x);
            const Analysis::Summary &score = results.groups.at(index).score;
            QCOMPARE(line->objectName(), QStringLiteral("Whisker_") + results.groups.at(index).group);
            QVERIFY(qFuzzyCompare(low, score.mean - score.sd));
            QVERIFY(qFuzzyCompare(high, score.mean + score.sd));
        }
        QCOMPARE(whiskers, (QStringList{"Whisker_A", "Whisker_B"}));

        QList<double> itemMeans;
        for (const Analysis::ItemStatistics &item : results.reliability.items)
            itemMeans << item.mean;
        QCOMPARE(valuesOf(firstBarSet(chartOf(window, "ItemMeans"))).size(), 20);
        QCOMPARE(valuesOf(firstBarSet(chartOf(window, "ItemMeans"))), itemMeans);

        // A choice draws the charts again from its own subjects.
        choose(window, 2);
        QCOMPARE(valuesOf(firstBarSet(chartOf(window, "ScoreHistogram"))),
                 (QList<double>{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(valuesOf(firstBarSet(chartOf(window, "GroupMeans"))), QList<double>{25});
    }

    // The charts take the theme's box colours: their words read on their background.
    void chartsReadInEveryTheme_data()
    {
        QTest::addColumn<int>("theme");
        for (int theme = 1; theme <= 11; ++theme)
            QTest::addRow("theme %d", theme) << theme;
    }
    void chartsReadInEveryTheme()
    {
        QFETCH(int, theme);
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QString::number(theme)));
        storeFixture();
        ScriptedPrompts scripted;
        FrmAnalysis window;
        Skin skin;
        QVERIFY(skin.load(SkinFileForTheme(theme)));
        for (const char *name : {"ScoreHistogram", "GroupMeans", "ItemMeans"}) {
            QChart *chart = chartOf(window, name);
            const QColor back = chart->backgroundBrush().color();
            QCOMPARE(back, skin.palette().color(QPalette::Base));
            QVERIFY2(LookCheck::contrast(chart->titleBrush().color(), back) >= 4.5, name);
            for (QAbstractAxis *axis : chart->axes()) {
                QVERIFY2(LookCheck::contrast(axis->labelsColor(), back) >= 4.5, name);
                QVERIFY2(LookCheck::contrast(axis->titleBrush().color(), back) >= 4.5, name);
                QVERIFY(!axis->titleText().isEmpty());
            }
        }
    }

    // Each export button writes the chosen subjects to the file named.
    void exportsWriteTheFileNamed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("SPSS") << QStringLiteral("ExportSav") << QStringLiteral("sav");
        QTest::newRow("Excel") << QStringLiteral("ExportXlsx") << QStringLiteral("xlsx");
        QTest::newRow("CSV") << QStringLiteral("ExportCsv") << QStringLiteral("csv");
    }
    void exportsWriteTheFileNamed()
    {
        QFETCH(QString, button);
        QFETCH(QString, suffix);
        ProgramFolder folder;
        storeFixture();
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        choose(window, 1);
        const QString path = folder.filePath(QStringLiteral("results.") + suffix);
        scripted.expectSaveFile(path);
        window.findChild<QPushButton *>(button)->click();

        QCOMPARE(scripted.shown().first().kind, QStringLiteral("save"));
        QVERIFY(scripted.shown().first().text.endsWith(QStringLiteral("/quorvel-results.") + suffix));
        QCOMPARE(scripted.shown().first().replace, Prompts::Replace::Ask);
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
        QCOMPARE(scripted.notices().size(), 1);
        QVERIFY(scripted.notices().first().contains(QFileInfo(path).fileName()));
        QVERIFY(scripted.messages().isEmpty());
        if (suffix == u"csv") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QString content = QString::fromUtf8(file.readAll());
            if (content.startsWith(QChar(0xFEFF)))
                content.remove(0, 1);
            const QStringList lines = content.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
            // The header of variable names, then the three subjects of group A.
            QCOMPARE(lines.size(), 4);
            QStringList names;
            for (const Analysis::Column &column : Analysis::exportColumns())
                names << column.name;
            QCOMPARE(lines.first(), names.join(u','));
            for (const char *code : {"101", "102", "103"})
                QVERIFY(QString(lines.mid(1).join(u'\n')).contains(QString::fromLatin1(code)));
            QVERIFY(!QString(lines.join(u'\n')).contains(QStringLiteral("201")));
        }
    }

    // An export the disk cannot take names the cause in Persian, with the path
    // as its only Latin text; the libraries' and the system's own words go to
    // the error output, and nothing is left under the chosen name.
    void exportTheDiskRefusesNamesItsCause_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("Excel, full disk") << QStringLiteral("ExportXlsx") << QStringLiteral("xlsx") << false;
        QTest::newRow("SPSS, full disk") << QStringLiteral("ExportSav") << QStringLiteral("sav") << false;
        QTest::newRow("CSV, full disk") << QStringLiteral("ExportCsv") << QStringLiteral("csv") << false;
        QTest::newRow("Excel, read-only disk") << QStringLiteral("ExportXlsx") << QStringLiteral("xlsx") << true;
    }
    void exportTheDiskRefusesNamesItsCause()
    {
        QFETCH(QString, button);
        QFETCH(QString, suffix);
        QFETCH(bool, readOnly);
        ProgramFolder folder;
        storeFixture();
        const SmallDisk disk(readOnly);
        if (!disk.isMounted())
            QSKIP("this machine does not let the test mount a small file system");
        const QStringList before = disk.files();
        const QString path = disk.filePath(QStringLiteral("results.") + suffix);
        const QString cause = SafeFile::describeError(readOnly ? EROFS : ENOSPC, path);
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        choose(window, 1);
        scripted.expectSaveFile(path);
        scripted.expectMessage();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^quorvel: .*(No space left on device|Read-only file system)$")));
        window.findChild<QPushButton *>(button)->click();

        const QString text = scripted.messages().value(0);
        QCOMPARE(text, readOnly ? cause : AnalysisText::WriteFailed.arg(path, cause));
        QVERIFY2(!QString(text).remove(path).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(text));
        QCOMPARE(disk.files(), before);
    }

    // Cancelling through the progress box leaves no file and says so.
    void cancelledExportLeavesNoFile_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("SPSS") << QStringLiteral("ExportSav") << QStringLiteral("sav");
        QTest::newRow("CSV") << QStringLiteral("ExportCsv") << QStringLiteral("csv");
    }
    void cancelledExportLeavesNoFile()
    {
        QFETCH(QString, button);
        QFETCH(QString, suffix);
        ProgramFolder folder;
        QVERIFY(storeMany(5000));
        ScriptedPrompts scripted;
        // The box may show itself on a slow machine before it is cancelled.
        const ExpectProgressBox mayShow(QStringLiteral("ExportProgress"));
        FrmAnalysis window;
        window.show();
        const QString path = folder.filePath(QStringLiteral("cancelled.") + suffix);
        scripted.expectSaveFile(path);
        bool cancelled = false;
        // Runs at the first progress report of the export.
        QTimer::singleShot(0, &window, [&] {
            if (auto *box = window.findChild<QProgressDialog *>(QStringLiteral("ExportProgress"))) {
                QCOMPARE(box->minimumDuration(), 500);
                box->cancel();
                cancelled = true;
            }
        });
        window.findChild<QPushButton *>(button)->click();
        QVERIFY(cancelled);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(scripted.notices(), QStringList{FrmAnalysisText::ExportCancelled});
        QVERIFY(QDir(folder.path()).entryList({QStringLiteral("*cancelled*")}, QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(!window.findChild<QProgressDialog *>(QStringLiteral("ExportProgress")));
    }

    // Cancelling a long read keeps the choice shown before.
    void cancelledReadKeepsTheChoiceShown()
    {
        ProgramFolder folder;
        storeFixture();
        QVERIFY(storeMany(5000));
        ScriptedPrompts scripted;
        const ExpectProgressBox mayShow(QStringLiteral("ReadProgress"));
        FrmAnalysis window;
        window.show();
        choose(window, 2);
        const QString before = control<QLabel>(window, "SubjectCount")->text();
        QTimer::singleShot(0, &window, [&] {
            if (auto *box = window.findChild<QProgressDialog *>(QStringLiteral("ReadProgress")))
                box->cancel();
        });
        choose(window, 1);
        QCOMPARE(control<QComboBox>(window, "GroupChooser")->currentIndex(), 2);
        QCOMPARE(window.groupLabel(), QStringLiteral("B"));
        QCOMPARE(control<QLabel>(window, "SubjectCount")->text(), before);
        QCOMPARE(scripted.notices(), QStringList{FrmAnalysisText::ReadCancelled});
    }

    // Print opens the analysis in the preview: statistics first, the charts on a page of their own.
    void printOpensThePreview()
    {
        ProgramFolder folder;
        storeFixture();
        QVERIFY(folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'مرکز مشاوره نمونه'")));
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        choose(window, 1);
        click(window, "PrintAnalysis");
        const QList<ReportPreview *> shown = previews();
        QCOMPARE(shown.size(), 1);
        const Report::Layout &layout = shown.first()->reportLayout();
        QCOMPARE(layout.pageCount(), 2);
        const Report::Page first = layout.page(0);
        QVERIFY(first.items.size() > 1);
        QStringList texts;
        for (const Report::PlacedItem &placed : first.items)
            texts << placed.text;
        QVERIFY(texts.contains(QStringLiteral("مرکز مشاوره نمونه")));
        QVERIFY(texts.contains(FrmAnalysisText::ReportTitle));
        QVERIFY(texts.contains(AnalysisFormat::anovaLine(window.results().anova)));
        QVERIFY(texts.contains(AnalysisFormat::alphaLine(window.results().reliability)));
        QVERIFY(texts.contains(Analysis::readItemTexts().value(19)));
        QVERIFY(std::any_of(texts.cbegin(), texts.cend(), [](const QString &text) { return text.startsWith(QStringLiteral("گروه: A")); }));
        int pictures = 0;
        for (const Report::PlacedItem &placed : layout.page(1).items)
            if (placed.item->kind == Report::Item::Kind::Image && !placed.item->image.isNull()) {
                // A chart, not a blank sheet: some of it is drawn darker than the paper.
                const QImage &image = placed.item->image;
                int drawn = 0;
                for (int y = 0; y < image.height(); y += 4)
                    for (int x = 0; x < image.width(); x += 4)
                        drawn += qGray(image.pixel(x, y)) < 128;
                QVERIFY2(drawn > 100, qPrintable(placed.item->name));
                ++pictures;
            }
        QCOMPARE(pictures, 3);
        QCOMPARE(layout.page(1).items.last().text, QStringLiteral("صفحه ۲ از ۲"));
        for (ReportPreview *preview : shown)
            preview->close();
        QApplication::processEvents();
        QVERIFY(scripted.shown().isEmpty());
    }

    // Closing tells whoever opened the window.
    void closingTellsTheOpener()
    {
        ProgramFolder folder;
        ScriptedPrompts scripted;
        FrmAnalysis window;
        window.show();
        QSignalSpy closed(&window, &FrmAnalysis::closed);
        click(window, "CloseAnalysis");
        QCOMPARE(closed.count(), 1);
        QVERIFY(!window.isVisible());
    }
};

QUORVEL_TEST_MAIN(TestFrmAnalysis)
#include "tst_frmanalysis.moc"
