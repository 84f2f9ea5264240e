#pragma once

#include "store/recordset.h"
#include "store/storefailure.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <initializer_list>

// Rows that belong together are written in one transaction: commit() keeps
// them all, and a transaction that ends without commit() takes them all back.
// Record sets that take part are put back as they were when they joined.
class Transaction
{
public:
    explicit Transaction(std::initializer_list<RecordSet *> recordSets = {});
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Keeps the set's state as it is now, to put back at a rollback.
    void join(RecordSet *recordSet);

    bool isActive() const { return m_active; }
    [[nodiscard]] bool commit();
    void rollback();
    QString errorText() const { return m_error; }
    StoreFailure failure() const { return m_failure; }

private:
    struct Member {
        QPointer<RecordSet> recordSet;
        RecordSet::Snapshot snapshot;
    };

    bool m_active = false;
    QString m_error;
    StoreFailure m_failure = StoreFailure::None;
    QList<Member> m_members;
};
