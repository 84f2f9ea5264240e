#include "store/pagedrows.h"

#include "store/database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace Store {

namespace {

constexpr int kBlocksKept = 8;

}  // namespace

PagedRows::PagedRows(const QString &table, const QString &where, const QStringList &fields, const QString &order)
    : m_table(table), m_where(where), m_fields(fields), m_order(order)
{
}

bool PagedRows::fail(StoreFailure failure, const QString &text) const
{
    if (m_failure == StoreFailure::None) {
        m_failure = failure == StoreFailure::None ? StoreFailure::Other : failure;
        m_error = text;
    }
    return false;
}

bool PagedRows::open()
{
    m_blocks.clear();
    m_keyBefore.clear();
    m_count = 0;
    m_error.clear();
    m_failure = StoreFailure::None;
    QSqlDatabase db = database();
    if (!db.isOpen())
        return fail(StoreFailure::Closed, QStringLiteral("the database was closed"));
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + db.driver()->escapeIdentifier(m_table, QSqlDriver::TableName);
    if (!m_where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_where;
    QSqlQuery query(db);
    if (!query.exec(sql) || !query.next())
        return fail(classifyFailure(query.lastError(), db), query.lastError().text());
    m_count = query.value(0).toLongLong();
    return true;
}

QString PagedRows::value(qint64 row, int column) const
{
    if (row < 0 || row >= m_count || column < 0 || column >= m_fields.size())
        return QString();
    const Block *found = block(row / kBlockRows);
    if (!found)
        return QString();
    const qsizetype slot = (row % kBlockRows) * m_fields.size() + column;
    return slot < found->values.size() ? found->values.at(slot) : QString();
}

const PagedRows::Block *PagedRows::block(qint64 index) const
{
    for (qsizetype i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks.at(i).index == index) {
            if (i > 0)
                m_blocks.move(i, 0);
            return &m_blocks.first();
        }
    }
    Block read;
    if (!readBlock(index, &read))
        return nullptr;
    m_blocks.prepend(std::move(read));
    while (m_blocks.size() > kBlocksKept)
        m_blocks.removeLast();
    return &m_blocks.first();
}

// Continues after the nearest block start known at or before index: straight
// reading needs no offset at all, a jump skips rows of the order's index only.
bool PagedRows::readBlock(qint64 index, Block *into) const
{
    QSqlDatabase db = database();
    if (!db.isOpen())
        return fail(StoreFailure::Closed, QStringLiteral("the database was closed"));
    qint64 anchorBlock = 0;
    QVariant anchorKey;
    bool anchored = false;
    auto known = m_keyBefore.upperBound(index);
    if (known != m_keyBefore.begin()) {
        --known;
        anchorBlock = known.key();
        anchorKey = known.value();
        anchored = true;
    }
    QSqlDriver *driver = db.driver();
    const QString &order = m_order;
    QStringList columns{order};
    for (const QString &field : m_fields)
        columns << driver->escapeIdentifier(field, QSqlDriver::FieldName);
    QStringList conditions;
    if (!m_where.isEmpty())
        conditions << QLatin1Char('(') + m_where + QLatin1Char(')');
    if (anchored)
        conditions << order + QStringLiteral(" > ?");
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                  + driver->escapeIdentifier(m_table, QSqlDriver::TableName);
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2 OFFSET %3").arg(order).arg(kBlockRows).arg((index - anchorBlock) * kBlockRows);

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return fail(classifyFailure(query.lastError(), db), query.lastError().text());
    if (anchored)
        query.addBindValue(anchorKey);
    if (!query.exec())
        return fail(classifyFailure(query.lastError(), db), query.lastError().text());
    into->index = index;
    into->values.reserve(kBlockRows * m_fields.size());
    qint64 rows = 0;
    while (query.next()) {
        into->lastKey = query.value(0);
        for (int column = 1; column <= m_fields.size(); ++column)
            into->values << query.value(column).toString();
        ++rows;
    }
    if (query.lastError().isValid())
        return fail(classifyFailure(query.lastError(), db), query.lastError().text());
    if (rows == kBlockRows)
        m_keyBefore.insert(index + 1, into->lastKey);
    return true;
}

}  // namespace Store
