#include "store/transaction.h"

#include "store/database.h"

#include <QSqlError>

Transaction::Transaction(std::initializer_list<RecordSet *> recordSets)
{
    Store::ensureConnected();
    QSqlDatabase db = Store::database();
    m_active = db.isOpen() && db.transaction();
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
    m_members.clear();
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    Store::database().rollback();
    m_active = false;
    for (const Member &member : std::as_const(m_members))
        if (member.recordSet)
            member.recordSet->restore(member.snapshot);
    m_members.clear();
}
