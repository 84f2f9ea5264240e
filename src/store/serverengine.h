#pragma once

#include "store/engine.h"
#include "store/storeaddress.h"

namespace Store {

// A PostgreSQL database several desks share, through Qt's QPSQL driver.
class ServerEngine : public Engine
{
public:
    explicit ServerEngine(const ServerAddress &address = {}) : m_address(address) {}

    // Opens the process's connection. An empty database is given the
    // program's tables, the twenty items and the settings row; one holding
    // other tables is NotOurs and left untouched.
    OpenResult open();

    QString tableName(const QSqlDatabase &db, const QString &table) const override;
    QString rowOrder(const QSqlDatabase &db, const QSqlIndex &key) const override;
    QString listOrder(const QSqlDatabase &db, const QSqlIndex &key) const override;
    bool hasRowIds() const override { return false; }
    QString rowIdCondition() const override { return {}; }
    bool writesByKey() const override { return true; }
    bool lastWriteReachedARow(const QSqlDatabase &db, bool *reached, QSqlError *error) const override;
    StoreFailure classify(const QSqlError &error, const QSqlDatabase &connection) const override;
    QSqlDatabase addConnection(const QString &name, const Place &place, bool readOnly) const override;
    QString snapshotStatement() const override;

    QString description() const override;
    bool isShared() const override { return true; }
    bool ensureConnected() override;
    void noteConnectionLost() override { m_lost = true; }
    void noteTransaction(bool open) override { m_inTransaction = open; }
    CopyOutcome writeSnapshot(SafeFile::Writer &out, const Progress &progress) override;
    CopyOutcome replaceWith(const QString &source, const Progress &progress) override;
    ReadEnd readRows(const QString &sql, const QStringList &bindings, const std::function<bool(const RowValues &)> &row,
                     QString *error) override;

private:
    ServerAddress m_address;
    bool m_lost = false;
    bool m_inTransaction = false;
};

// A server's connection settings for address, its password from ~/.pgpass or PGPASSWORD.
void configureServerConnection(QSqlDatabase &db, const ServerAddress &address);

}  // namespace Store
