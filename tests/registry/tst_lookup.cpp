#include "administration/administrationtext.h"
#include "app/frm1.h"
#include "preview/reportpreview.h"
#include "registry/frmcode.h"
#include "registry/lookuptext.h"
#include "scoring/frmklid.h"
#include "scoring/scoringtext.h"
#include "store/database.h"
#include "support/controls.h"
#include "support/programfolder.h"
#include "support/subjects.h"
#include "support/scriptedprompts.h"
#include "ui/skin.h"
#include "ui/storeerror.h"
#include "ui/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QAbstractItemModelTester>
#include <QAbstractProxyModel>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Subject {
    const char *code;
    const char *firstName;
    const char *lastName;
    const char *group;
    bool answered = true;
};

// Registered subjects: three of group C, two sharing a last name, names with
// an apostrophe, and one who has no answer row.
const Subject kSubjects[] = {
    {"101", "علی", "کاظمی", "C"},
    {"102", "زهرا", "کاظمی", "A"},
    {"103", "علی", "رحیمی", "C"},
    {"7'4", "Ja'far", "D'Angelo", "B"},
    {"105", "سارا", "احمدی", "C", false},
};

// The subjects, in place before the window reads them.
struct Registered {
    explicit Registered(ProgramFolder &folder)
    {
        written = folder.isValid() && folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'درمانگاه نمونه', \"Adress\" = 'خیابان نمونه'"));
        QList<StoredSubject> subjects;
        for (const Subject &subject : kSubjects)
            subjects << StoredSubject{.code = QString::fromUtf8(subject.code), .firstName = QString::fromUtf8(subject.firstName),
                                      .lastName = QString::fromUtf8(subject.lastName), .group = QString::fromUtf8(subject.group),
                                      .score = QStringLiteral("50"),
                                      .answers = subject.answered ? std::optional<QStringList>(QStringList()) : std::nullopt};
        written = written && addSubjects(subjects);
    }
    bool written = false;
};

// More subjects of group D, coded 1000 on, than the grid reads at once.
bool crowd(int more)
{
    return addSubjects(more, [](int i) {
        return StoredSubject{.code = QString::number(1000 + i), .firstName = QStringLiteral("نام"),
                             .lastName = QStringLiteral("خانواده"), .group = QStringLiteral("D")};
    });
}

struct Lookup {
    ProgramFolder folder;
    Registered registered{folder};
    bool crowded;
    ScriptedPrompts scripted;
    FrmCode window;
    // Every model the window shows, and the rows under the grid, are checked
    // by Qt's model tester throughout.
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    explicit Lookup(int moreSubjects = 0) : crowded(crowd(moreSubjects))
    {
        window.show();
        QAbstractItemModel *grid = control<QTableView>(window, "DataGrid1")->model();
        testers.emplace_back(new QAbstractItemModelTester(grid, QAbstractItemModelTester::FailureReportingMode::QtTest));
        if (auto *proxy = qobject_cast<QAbstractProxyModel *>(grid))
            testers.emplace_back(new QAbstractItemModelTester(proxy->sourceModel(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest));
        for (const char *name : {"DataCombo1", "DataCombo6", "Combo3"})
            testers.emplace_back(new QAbstractItemModelTester(control<QComboBox>(window, name)->model(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest));
    }

    QComboBox *chooser(const char *name) const { return control<QComboBox>(window, name); }
    QStringList listed(const char *name) const
    {
        QStringList items;
        for (int i = 0; i < chooser(name)->count(); ++i)
            items << chooser(name)->itemText(i);
        return items;
    }
    // Picks an entry of a chooser's list, as a click in the list does.
    void pick(const char *name, const QString &text)
    {
        QComboBox *box = chooser(name);
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        box->setCurrentIndex(index);
        emit box->textActivated(text);
    }
    // Types a chooser's text key by key.
    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = chooser(name)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // The codes the grid lists, fetched to the end, in the grid's order.
    QStringList gridCodes() const
    {
        auto *grid = control<QTableView>(window, "DataGrid1");
        QAbstractItemModel *model = grid->model();
        while (model->canFetchMore(QModelIndex()))
            model->fetchMore(QModelIndex());
        int codeColumn = -1;
        for (int column = 0; column < model->columnCount(); ++column)
            if (model->headerData(column, Qt::Horizontal).toString() == LookupText::CodeColumn)
                codeColumn = column;
        QStringList codes;
        for (int row = 0; row < model->rowCount(); ++row)
            codes << model->index(row, codeColumn).data().toString();
        return codes;
    }
    void deleteCode(const QString &code)
    {
        control<QLineEdit>(window, "Text5")->setText(code);
        click(window, "Command2");
    }
    int rowsOf(const char *table, const QString &code)
    {
        return folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = '%2'")
                                 .arg(QLatin1String(table), QString(code).replace(u'\'', QStringLiteral("''"))))
            .toInt();
    }
};

QStringList codes(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *code : list)
        result << QString::fromUtf8(code);
    return result;
}

// The order the grid lists codes in: as written on the file, by key on a server.
QStringList inGridOrder(QStringList list)
{
    if (ProgramFolder::onServer())
        list.sort();
    return list;
}

ReportPreview *shownPreview()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<ReportPreview *>(window); preview && preview->isVisible())
            return preview;
    return nullptr;
}

}  // namespace

class TestLookup : public QObject
{
    Q_OBJECT

private slots:
    void opensListingEverySubject()
    {
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QStringLiteral("5")));
        Registered registered(folder);
        QVERIFY(registered.written);
        ScriptedPrompts scripted;
        FrmCode window;
        window.show();
        QCOMPARE(window.pos(), twipsPoint(2340, 765));
        QCOMPARE(window.skin().fileName(), SkinFileForTheme(5));
        // The title as the operator reads it in the title bar.
        QCOMPARE(window.windowTitle(), QStringLiteral("کد آزمودني"));

        auto *grid = control<QTableView>(window, "DataGrid1");
        QStringList shownColumns;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (!grid->isColumnHidden(column))
                shownColumns << grid->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(shownColumns, (QStringList{LookupText::CodeColumn, LookupText::FNameColumn, LookupText::LNameColumn,
                                            LookupText::GroupColumn}));
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(control<QComboBox>(window, "Combo3")->currentText(), LookupText::Combo3Initial);
        QCOMPARE(control<QComboBox>(window, "Combo3")->count(), 7);
    }

    void choosersReplaceEachOther()
    {
        Lookup lookup;
        QVERIFY(lookup.registered.written);
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"101", "102", "103", "7'4", "105"})));
        // Each name once, in Persian alphabetical order; Latin letters after Persian.
        QCOMPARE(lookup.listed("DataCombo1"), codes({"احمدی", "رحیمی", "کاظمی", "D'Angelo"}));

        lookup.pick("Combo3", QStringLiteral("C"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"101", "103", "105"})));
        QCOMPARE(lookup.listed("DataCombo1"), codes({"احمدی", "رحیمی", "کاظمی"}));
        QCOMPARE(lookup.listed("DataCombo6"), codes({"سارا", "علی"}));

        lookup.pick("DataCombo1", QStringLiteral("کاظمی"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"101", "102"})));
        QVERIFY(lookup.chooser("Combo3")->currentText().isEmpty());
        QVERIFY(lookup.chooser("DataCombo6")->currentText().isEmpty());
        QCOMPARE(lookup.chooser("DataCombo1")->currentText(), QStringLiteral("کاظمی"));

        lookup.type("Combo3", QStringLiteral("A"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"102"})));
        QVERIFY(lookup.chooser("DataCombo1")->currentText().isEmpty());

        // The first name filters first, then empties the other two.
        lookup.pick("Combo3", QStringLiteral("C"));
        lookup.pick("DataCombo6", QStringLiteral("علی"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"101", "103"})));
        QVERIFY(lookup.chooser("Combo3")->currentText().isEmpty());
        QVERIFY(lookup.chooser("DataCombo1")->currentText().isEmpty());
        QVERIFY(lookup.scripted.shown().isEmpty());
    }

    // With more subjects than one read brings, the grid fetches as it
    // scrolls, and deleting and choosing keep it whole (the model testers
    // check every step).
    void crowdedGridFetchesAsItScrolls()
    {
        Lookup lookup(600);
        QVERIFY(lookup.registered.written && lookup.crowded);
        lookup.scripted.expectQuestion(true);
        lookup.deleteCode(QStringLiteral("1000"));
        QCOMPARE(lookup.rowsOf("ide", QStringLiteral("1000")), 0);
        // The deletion read every subject again: only the first of them are in.
        auto *grid = control<QTableView>(lookup.window, "DataGrid1");
        QAbstractItemModel *model = grid->model();
        // (The server's driver hands over a whole result at once.)
        if (!ProgramFolder::onServer()) {
            QVERIFY(model->rowCount() < 604);
            QVERIFY(model->canFetchMore(QModelIndex()));
        }
        for (int page = 0; page < 100 && model->canFetchMore(QModelIndex()); ++page) {
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
            QCoreApplication::processEvents();
        }
        QCOMPARE(model->rowCount(), 604);
        QCOMPARE(lookup.gridCodes().last(), ProgramFolder::onServer() ? QStringLiteral("7'4") : QStringLiteral("1599"));

        lookup.pick("Combo3", QStringLiteral("C"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"101", "103", "105"})));
        QCOMPARE(lookup.scripted.unexpected(), QStringList());
    }

    void apostrophesAreMatchedLiterally()
    {
        Lookup lookup;
        lookup.type("DataCombo1", QStringLiteral("D'Angelo"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"7'4"})));
        lookup.type("DataCombo6", QStringLiteral("Ja'far"));
        QCOMPARE(lookup.gridCodes(), inGridOrder(codes({"7'4"})));
        lookup.scripted.expectQuestion(true);
        lookup.deleteCode(QStringLiteral("7'4"));
        QCOMPARE(lookup.rowsOf("ide", QStringLiteral("7'4")), 0);
        QCOMPARE(lookup.rowsOf("Answer", QStringLiteral("7'4")), 0);
        QCOMPARE(lookup.scripted.notices(), QStringList{LookupText::Deleted});
    }

    void deletingRemovesTheSubjectWhole_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("details and answers") << QStringLiteral("101");
        QTest::newRow("details only") << QStringLiteral("105");
    }
    void deletingRemovesTheSubjectWhole()
    {
        QFETCH(QString, code);
        Lookup lookup;
        lookup.pick("Combo3", QStringLiteral("C"));
        lookup.scripted.expectQuestion(true);
        lookup.deleteCode(code);
        const ScriptedPrompts::Shown &question = lookup.scripted.shown().first();
        QCOMPARE(question.text, LookupText::ConfirmDelete);
        QCOMPARE(question.caption, QStringLiteral("Quorvel"));
        QCOMPARE(lookup.scripted.notices(), QStringList{LookupText::Deleted});
        QCOMPARE(lookup.rowsOf("ide", code), 0);
        QCOMPARE(lookup.rowsOf("Answer", code), 0);
        auto *text5 = control<QLineEdit>(lookup.window, "Text5");
        QVERIFY(text5->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), text5);
        QStringList remaining = codes({"101", "102", "103", "7'4", "105"});
        remaining.removeOne(code);
        QCOMPARE(lookup.gridCodes(), inGridOrder(remaining));
        QCOMPARE(lookup.chooser("Combo3")->currentText(), LookupText::Combo3Initial);
    }

    void deletionThatDoesNotHappen_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("notice");
        QTest::newRow("empty code") << QString() << false << LookupText::CodeRequired;
        QTest::newRow("unknown code") << QStringLiteral("999") << false << LookupText::NoSuchCode;
        QTest::newRow("code with blanks") << QStringLiteral(" 101") << false << LookupText::NoSuchCode;
        QTest::newRow("answered No") << QStringLiteral("101") << true << QString();
    }
    void deletionThatDoesNotHappen()
    {
        QFETCH(QString, code);
        QFETCH(bool, asked);
        QFETCH(QString, notice);
        Lookup lookup;
        if (asked)
            lookup.scripted.expectQuestion(false);
        lookup.deleteCode(code);
        QCOMPARE(lookup.scripted.notices(), notice.isEmpty() ? QStringList() : QStringList{notice});
        QCOMPARE(lookup.folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"ide\"")).toInt(), 5);
        QCOMPARE(lookup.folder.scalar(QStringLiteral("SELECT COUNT(*) FROM \"Answer\"")).toInt(), 4);
        QCOMPARE(lookup.gridCodes().size(), 5);
    }

    void refusedDeletionKeepsBothRows()
    {
        Lookup lookup;
        QVERIFY(lookup.folder.refuse(QStringLiteral("Answer"), QStringLiteral("DELETE"), QStringLiteral("refused by the test")));
        lookup.scripted.expectQuestion(true);
        lookup.scripted.expectMessage();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvel: store: .*refused by the test")));
        lookup.deleteCode(QStringLiteral("101"));
        const ScriptedPrompts::Shown &error = lookup.scripted.shown().last();
        QCOMPARE(error.caption, QStringLiteral("خطا"));
        QCOMPARE(error.text, StoreFailureText(StoreFailure::Other, QString()));
        QVERIFY(lookup.scripted.notices().isEmpty());
        QCOMPARE(lookup.rowsOf("ide", QStringLiteral("101")), 1);
        QCOMPARE(lookup.rowsOf("Answer", QStringLiteral("101")), 1);
        // Once the store allows it, the same deletion goes through.
        QVERIFY(lookup.folder.exec(ProgramFolder::onServer() ? QStringLiteral("DROP TRIGGER refuse ON \"Answer\"")
                                                             : QStringLiteral("DROP TRIGGER refuse")));
        lookup.scripted.expectQuestion(true);
        click(lookup.window, "Command2");
        QCOMPARE(lookup.rowsOf("ide", QStringLiteral("101")), 0);
        QCOMPARE(lookup.rowsOf("Answer", QStringLiteral("101")), 0);
    }

    // The grid and its header paint the theme's box and button colours in
    // every theme, never the platform's white inside a dark window.
    void gridTakesTheThemesColours_data()
    {
        QTest::addColumn<int>("theme");
        for (int theme = 1; theme <= 11; ++theme)
            QTest::addRow("theme %d", theme) << theme;
    }
    void gridTakesTheThemesColours()
    {
        QFETCH(int, theme);
        ProgramFolder folder;
        QVERIFY(folder.setTheme(QString::number(theme)));
        Registered registered(folder);
        QVERIFY(registered.written);
        ScriptedPrompts scripted;
        FrmCode window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *grid = control<QTableView>(window, "DataGrid1");
        const QPalette &theme_ = window.skin().palette();
        // A cell's blank corner, and the blank below the last row.
        const QImage cells = grid->viewport()->grab().toImage();
        const QColor empty = cells.pixelColor(cells.width() / 2, cells.height() - 3);
        QCOMPARE(empty, theme_.color(QPalette::Base));
        const QImage header = grid->horizontalHeader()->grab().toImage();
        QCOMPARE(header.pixelColor(header.width() - 4, 3), theme_.color(QPalette::Button));
    }

    // Each caption stands nearer its own chooser than the next one, measured
    // on the letters as painted.
    void captionsStandByTheirOwnChoosers_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("beyond");
        QTest::newRow("last name") << "Label1" << "DataCombo1" << QString();
        QTest::newRow("first name") << "Label2" << "DataCombo6" << "DataCombo1";
        QTest::newRow("group") << "Label3" << "Combo3" << "DataCombo6";
    }
    void captionsStandByTheirOwnChoosers()
    {
        QFETCH(QString, caption);
        QFETCH(QString, own);
        QFETCH(QString, beyond);
        Lookup lookup;
        QVERIFY(QTest::qWaitForWindowExposed(&lookup.window));
        const QImage shown = lookup.window.grab().toImage();
        auto *label = lookup.window.findChild<QLabel *>(caption);
        QVERIFY(label);
        const QRect area = label->geometry();
        const QColor background = shown.pixelColor(area.right(), area.top());
        int inkLeft = area.right();
        int inkRight = area.left();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = shown.pixelColor(x, y);
                if (qAbs(pixel.lightness() - background.lightness()) > 60) {
                    inkLeft = qMin(inkLeft, x);
                    inkRight = qMax(inkRight, x);
                }
            }
        QVERIFY(inkLeft < inkRight);
        const int gapToOwn = inkLeft - lookup.window.findChild<QWidget *>(own)->geometry().right();
        QVERIFY2(gapToOwn > 0 && gapToOwn <= 12, qPrintable(QString::number(gapToOwn)));
        if (!beyond.isEmpty()) {
            const int gapBeyond = lookup.window.findChild<QWidget *>(beyond)->geometry().left() - inkRight;
            QVERIFY2(gapBeyond >= 2 * gapToOwn, qPrintable(QStringLiteral("%1 against %2").arg(gapBeyond).arg(gapToOwn)));
        }
    }

    // The code and the one-letter group take what they need; the names the rest.
    void gridColumnsFitWhatTheyHold()
    {
        Lookup lookup;
        auto *grid = control<QTableView>(lookup.window, "DataGrid1");
        QHeaderView *header = grid->horizontalHeader();
        QHash<QString, int> widths;
        for (int column = 0; column < header->count(); ++column)
            if (!header->isSectionHidden(column)) {
                const QString caption = grid->model()->headerData(column, Qt::Horizontal).toString();
                widths.insert(caption, header->sectionSize(column));
                QVERIFY2(header->sectionSize(column) >= header->fontMetrics().horizontalAdvance(caption) + 12,
                         qPrintable(caption));
            }
        QCOMPARE(widths.size(), 4);
        const int group = widths.value(LookupText::GroupColumn);
        const int code = widths.value(LookupText::CodeColumn);
        QVERIFY2(group > 0 && 2 * group < widths.value(LookupText::FNameColumn), qPrintable(QString::number(group)));
        QVERIFY(code > group && code < widths.value(LookupText::LNameColumn));
        QVERIFY(grid->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) < code);
    }

    void printByGroup()
    {
        Lookup lookup;
        lookup.pick("DataCombo1", QStringLiteral("کاظمی"));
        click(lookup.window, "Command1");
        QCOMPARE(lookup.scripted.notices(), QStringList{LookupText::GroupRequired});
        QVERIFY(!shownPreview());

        lookup.pick("Combo3", QStringLiteral("C"));
        click(lookup.window, "Command1");
        ReportPreview *table = shownPreview();
        QVERIFY(table);
        QStringList lines;
        QString address;
        QString clinic;
        const auto read = [&](ReportPreview *preview) {
            lines.clear();
            for (const Report::PlacedItem &placed : preview->reportLayout().page(0).items) {
                if (placed.item->name == u"Text1" || placed.item->name == u"txtCode" || placed.item->name == u"txtGroup1")
                    lines << placed.text;
                if (placed.item->name == u"Label14")
                    address = placed.text;
                if (placed.item->name == u"Label9")
                    clinic = placed.text;
            }
        };
        read(table);
        QCOMPARE(lines, codes({"1", "101", "C", "2", "103", "C", "3", "105", "C"}));
        QCOMPARE(address, QStringLiteral("خیابان نمونه"));
        QCOMPARE(clinic, QStringLiteral("درمانگاه نمونه"));
        table->close();

        // Each print names the clinic as stored at its time, name and address alike.
        QVERIFY(lookup.folder.exec(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = 'مرکز دوم', \"Adress\" = 'نشانی دوم'")));
        lookup.pick("Combo3", QStringLiteral("C"));
        click(lookup.window, "Command1");
        table = shownPreview();
        QVERIFY(table);
        read(table);
        QCOMPARE(clinic, QStringLiteral("مرکز دوم"));
        QCOMPARE(address, QStringLiteral("نشانی دوم"));
        table->close();
    }

    // After a deletion neither the test launch nor the keying window finds the subject.
    void deletedSubjectIsGoneEverywhere()
    {
        Lookup lookup;
        lookup.scripted.expectQuestion(true);
        lookup.deleteCode(QStringLiteral("102"));
        lookup.scripted.clear();

        Frm1 main;
        main.show();
        lookup.scripted.expectInput(QStringLiteral("102"));
        click(main, "Command2");
        QCOMPARE(lookup.scripted.notices(), QStringList{AdministrationText::NoSuchSubject});

        FrmkLID keying;
        lookup.scripted.expectInput(QStringLiteral("102"));
        click(keying, "Command1");
        QCOMPARE(lookup.scripted.notices().last(), ScoringText::NoSuchSubject);
    }
};

QObject *makeTestLookup()
{
    return new TestLookup;
}

#include "tst_lookup.moc"
