#pragma once

#include <QString>

// Rows that belong together are written in one transaction: commit() keeps
// them all, and a transaction that ends without commit() takes them all back.
class Transaction
{
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    bool commit();
    void rollback();
    QString errorText() const { return m_error; }

private:
    bool m_active = false;
    QString m_error;
};
