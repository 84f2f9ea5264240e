#pragma once

#include "store/storefailure.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// The rows of one table under a condition, read block by block in the order
// they were written, for a report that may run to a million lines: the count
// comes first, then only the blocks asked for are read and a few are kept.
// Each block is one query that continues after the last row of the block
// before it, so reading straight through never rescans what it has passed.
namespace Store {

class PagedRows
{
public:
    // where is a condition already quoted by the driver (a record set's
    // filter), or empty for every row; fields must be fields of table, and
    // order a column, as SQL, whose values are unique (the engine's row order).
    PagedRows(const QString &table, const QString &where, const QStringList &fields, const QString &order);

    // Counts the rows; false with the cause in errorText() when the store
    // cannot be read.
    [[nodiscard]] bool open();

    const QStringList &fields() const { return m_fields; }
    qint64 count() const { return m_count; }
    // The value of a field of a row counted from 0, read with its block when
    // it is not at hand; empty when the read fails (see errorText()).
    QString value(qint64 row, int column) const;

    // The first failure of any read so far, and what kind it was.
    QString errorText() const { return m_error; }
    StoreFailure failure() const { return m_failure; }

    static constexpr int kBlockRows = 256;

private:
    struct Block {
        qint64 index = -1;
        QStringList values;  // row after row, one value per field
        QVariant lastKey;
    };
    const Block *block(qint64 index) const;
    bool readBlock(qint64 index, Block *into) const;
    bool fail(StoreFailure failure, const QString &text) const;

    QString m_table;
    QString m_where;
    QStringList m_fields;
    QString m_order;
    qint64 m_count = 0;
    // A few blocks read last, newest first; and for every block whose start
    // is known, the order's value just before it, so the next read continues there.
    mutable QList<Block> m_blocks;
    mutable QMap<qint64, QVariant> m_keyBefore;
    mutable QString m_error;
    mutable StoreFailure m_failure = StoreFailure::None;
};

}  // namespace Store
