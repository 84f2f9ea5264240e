#include "store/transaction.h"

#include "store/database.h"

#include <QSqlError>

Transaction::Transaction()
{
    QSqlDatabase db = Store::database();
    m_active = db.transaction();
    if (!m_active)
        m_error = db.lastError().text();
}

Transaction::~Transaction()
{
    rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    QSqlDatabase db = Store::database();
    if (!db.commit()) {
        m_error = db.lastError().text();
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void Transaction::rollback()
{
    if (m_active)
        Store::database().rollback();
    m_active = false;
}
