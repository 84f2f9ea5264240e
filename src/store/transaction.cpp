#include "store/transaction.h"

#include "store/database.h"
#include "store/engine.h"

#include <QSqlError>

Transaction::Transaction(std::initializer_list<RecordSet *> recordSets)
{
    QSqlDatabase db = Store::database();
    if (!Store::ensureConnected()) {
        m_error = db.lastError().text();
        m_failure = StoreFailure::Unreachable;
        return;
    }
    m_active = db.isOpen() && db.transaction();
    // A connection that ended just before the first statement is found out by
    // it: nothing has begun yet, so it begins again on a fresh connection.
    if (!m_active && db.isOpen() && classifyFailure(db.lastError(), db) == StoreFailure::Unreachable && Store::ensureConnected())
        m_active = db.transaction();
    if (m_active)
        Store::engine().noteTransaction(true);
    if (!m_active) {
        m_error = db.isOpen() ? db.lastError().text() : QStringLiteral("the database was closed");
        m_failure = db.isOpen() ? classifyFailure(db.lastError(), db) : StoreFailure::Closed;
        if (m_failure == StoreFailure::None)
            m_failure = StoreFailure::Other;
    }
    for (RecordSet *recordSet : recordSets)
        join(recordSet);
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::join(RecordSet *recordSet)
{
    m_members.append({recordSet, recordSet->snapshot()});
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    QSqlDatabase db = Store::database();
    if (!db.commit()) {
        m_error = db.lastError().text();
        // Qt's commit error carries no result code of the engine; the connection has it.
        m_failure = classifyFailure(db.lastError(), db);
        if (m_failure == StoreFailure::None)
            m_failure = StoreFailure::Other;
        rollback();
        return false;
    }
    m_active = false;
    Store::engine().noteTransaction(false);
    m_members.clear();
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    Store::database().rollback();
    m_active = false;
    Store::engine().noteTransaction(false);
    for (const Member &member : std::as_const(m_members))
        if (member.recordSet)
            member.recordSet->restore(member.snapshot);
    m_members.clear();
}
