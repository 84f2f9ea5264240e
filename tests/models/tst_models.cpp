#include "store/database.h"
#include "store/pagedrows.h"
#include "store/recordset.h"
#include "support/programfolder.h"

#include <QAbstractItemModelTester>
#include <algorithm>
#include <QApplication>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QSqlDriver>
#include <QTest>

#include <sqlite3.h>

namespace {

// Answer rows coded 0 … count-1, written in one statement.
bool registerAnswers(int count)
{
    QSqlQuery insert(Store::database());
    return insert.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                      "INSERT INTO \"Answer\" (\"Code\") SELECT i FROM n")
                           .arg(count - 1));
}

// The statements the connection runs while it lives, as SQLite expands them.
class StatementLog
{
public:
    StatementLog()
    {
        m_handle = *static_cast<sqlite3 *const *>(Store::database().driver()->handle().data());
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &StatementLog::note, this);
    }
    ~StatementLog() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }
    int counts() const
    {
        return int(std::count_if(m_statements.begin(), m_statements.end(),
                                 [](const QString &sql) { return sql.contains(QLatin1String("COUNT("), Qt::CaseInsensitive); }));
    }
    void clear() { m_statements.clear(); }

private:
    static int note(unsigned, void *self, void *statement, void *)
    {
        char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(statement));
        static_cast<StatementLog *>(self)->m_statements << QString::fromUtf8(sql);
        sqlite3_free(sql);
        return 0;
    }
    sqlite3 *m_handle = nullptr;
    QStringList m_statements;
};

// A grid over a record set's rows, scrolled to its end as far as that fetches.
struct Grid {
    explicit Grid(RecordSet &set) : model(set.view())
    {
        view.setModel(model);
        view.resize(300, 200);
        view.show();
    }
    void scrollToEnd()
    {
        // Each scroll to the bottom fetches one more page; a bound keeps a view that never fetches from spinning.
        for (int page = 0; page < 100 && model->canFetchMore(QModelIndex()); ++page) {
            view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
            QCoreApplication::processEvents();
        }
    }
    QString lastCode() const { return model->index(model->rowCount() - 1, 0).data().toString(); }

    QAbstractItemModel *model;
    QTableView view;
};

}  // namespace

class TestModels : public QObject
{
    Q_OBJECT

private slots:
    // The rows a grid shows keep Qt's model rules (checked by Qt's model tester
    // on every change) through each step of the set, and a scrolled grid ends
    // with exactly the set's rows: the new one last, once the stored ones are all in.
    void gridRowsKeepTheModelRules_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("lazy");  // the first read brings only part of the rows
        QTest::newRow("fewer than a page") << 3 << false;
        QTest::newRow("several pages") << 700 << true;
    }
    void gridRowsKeepTheModelRules()
    {
        QFETCH(int, stored);
        QFETCH(bool, lazy);
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(registerAnswers(stored));
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        QAbstractItemModelTester tester(set.view(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        Grid grid(set);
        QVERIFY(QTest::qWaitForWindowExposed(&grid.view));

        QVERIFY(set.open());
        QCOMPARE(set.count(), stored);
        // The server's driver hands over a whole result at once: only the file's grid fetches as it scrolls.
        if (!ProgramFolder::onServer()) {
            QCOMPARE(grid.model->rowCount() < stored, lazy);
            QCOMPARE(grid.model->canFetchMore(QModelIndex()), lazy);
        }
        QVERIFY(set.addNew() && set.setField(QStringLiteral("Code"), QStringLiteral("new")));
        grid.scrollToEnd();
        QCOMPARE(grid.model->rowCount(), stored + 1);
        QCOMPARE(grid.lastCode(), QStringLiteral("new"));

        QVERIFY(set.commit());
        grid.scrollToEnd();
        QCOMPARE(grid.model->rowCount(), stored + 1);

        QVERIFY(set.filterBy(QStringLiteral("Code"), QStringLiteral("2")));
        QCOMPARE(grid.model->rowCount(), 1);
        QCOMPARE(grid.lastCode(), QStringLiteral("2"));
        QVERIFY(set.deleteCurrent());
        QCOMPARE(grid.model->rowCount(), 0);

        QVERIFY(set.refresh());
        grid.scrollToEnd();
        QCOMPARE(grid.model->rowCount(), stored);
        QCOMPARE(set.count(), stored);
        QCOMPARE(grid.lastCode(), QStringLiteral("new"));
    }

    // A read of a set counts nothing: the rows are counted when first asked
    // for, once, and not at all when every row is already read; emptiness is
    // known without a count. The count is right through every change.
    void countsAreTakenOnlyWhenAsked()
    {
        if (ProgramFolder::onServer())
            QSKIP("the statement log reads the file's own connection");
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        StatementLog log;
        QVERIFY(set.open());
        QVERIFY(set.isEmpty() && set.isBof());
        QCOMPARE(set.count(), 0);
        QCOMPARE(log.counts(), 0);

        QVERIFY(registerAnswers(1000));
        log.clear();
        QVERIFY(set.refresh());
        QVERIFY(!set.isEmpty() && !set.isBof());
        QCOMPARE(log.counts(), 0);
        QCOMPARE(set.count(), 1000);
        QCOMPARE(set.count(), 1000);
        QCOMPARE(log.counts(), 1);

        QVERIFY(set.addNew() && set.setField(QStringLiteral("Code"), QStringLiteral("new")));
        QCOMPARE(set.count(), 1001);
        QVERIFY(set.commit());
        QCOMPARE(set.count(), 1001);
        QVERIFY(set.refresh());
        QCOMPARE(set.count(), 1001);

        QVERIFY(set.filterBy(QStringLiteral("Code"), QStringLiteral("7")));
        log.clear();
        QCOMPARE(set.count(), 1);
        QCOMPARE(log.counts(), 0);  // the one row was read with the filter
        QVERIFY(set.deleteCurrent());
        QVERIFY(set.isEmpty() && set.isBof());
        QCOMPARE(set.count(), 0);
        QVERIFY(set.refresh());
        QCOMPARE(set.count(), 1000);
    }

    // Rows paged from the store are the set's rows in its order whichever
    // block is asked for first: a jump ahead, a step back, a filter, rows
    // gone between blocks; a closed connection is an error, never a wrong value.
    void pagedRowsMatchTheTableInAnyOrderOfReading()
    {
        ProgramFolder folder;
        QVERIFY2(folder.isValid(), qPrintable(folder.error()));
        QVERIFY(registerAnswers(3000));
        QSqlQuery change(Store::database());
        QVERIFY(change.exec(QStringLiteral("DELETE FROM \"Answer\" WHERE CAST(\"Code\" AS INTEGER) % 7 = 0")));
        QVERIFY(change.exec(QStringLiteral("UPDATE \"Answer\" SET \"1\" = 'x' WHERE CAST(\"Code\" AS INTEGER) % 3 = 0")));
        const auto storedCodes = [](const QString &where) {
            QStringList codes;
            QSqlQuery read(Store::database());
            // As a grid reads them: whole rows, in the order the file holds them, or by key on a server.
            read.exec(QStringLiteral("SELECT * FROM \"Answer\"") + where
                      + (ProgramFolder::onServer() ? QStringLiteral(" ORDER BY \"Code\"") : QString()));
            while (read.next())
                codes << read.value(0).toString();
            return codes;
        };

        RecordSet set(QStringLiteral("Adodc3"), QStringLiteral("Answer"));
        for (const bool filtered : {false, true}) {
            QVERIFY(filtered ? set.filterBy(QStringLiteral("1"), QStringLiteral("x")) : set.open());
            const QStringList expected = storedCodes(filtered ? QStringLiteral(" WHERE \"1\" = 'x'") : QString());
            std::unique_ptr<Store::PagedRows> rows;
            QVERIFY(set.pageStoredRows({QStringLiteral("Code"), QStringLiteral("1")}, &rows));
            QCOMPARE(rows->count(), expected.size());
            // Blocks in a scrambled order, then every row straight through.
            QList<qint64> order;
            for (qint64 block : {5, 9, 2, 0, 7, 1, 10, 3})
                order << block * Store::PagedRows::kBlockRows + 17;
            for (qint64 row = 0; row < expected.size(); ++row)
                order << row;
            for (qint64 row : order) {
                if (row >= expected.size())
                    continue;
                QVERIFY2(rows->value(row, 0) == expected.at(row),
                         qPrintable(QStringLiteral("row %1: %2, stored %3").arg(row).arg(rows->value(row, 0), expected.at(row))));
            }
            QCOMPARE(rows->value(expected.size(), 0), QString());
            QVERIFY(rows->errorText().isEmpty());
        }

        std::unique_ptr<Store::PagedRows> rows;
        QVERIFY(set.open() && set.pageStoredRows({QStringLiteral("Code")}, &rows));
        QVERIFY(!set.pageStoredRows({QStringLiteral("NoSuchField")}, &rows));
        QCOMPARE(set.failure(), StoreFailure::UnknownField);
        Store::closeDatabase();
        QCOMPARE(rows->value(1000, 0), QString());
        QVERIFY(!rows->errorText().isEmpty());
    }
};

QTEST_MAIN(TestModels)
#include "tst_models.moc"
