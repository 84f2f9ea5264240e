#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh temporary program folder for one test: a new database, the eleven
// skins, and the folder made current with the connection open. Everything is
// put back as it was when it goes.
//
// When QUORVEL_TEST_SERVER_DIR names a test server's folder (see
// tools/pgserver.sh), the database is a fresh one on that PostgreSQL server
// instead, named in the folder's quorvel.conf as an operator would, and
// dropped when the folder goes.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool openDatabase = true);
    ~ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const;
    // The server's address of this folder's database; empty when it is a file.
    QString serverUrl() const { return m_serverUrl; }
    static bool onServer();
    // The tests' server address of a database by name (the maintenance one for "postgres").
    static QString serverUrlOf(const QString &database);
    bool isValid() const { return m_ok; }
    QString error() const { return m_error; }

    // Stores a theme number text in the settings row.
    bool setTheme(const QString &number);
    // Runs one statement on the open connection; false on failure.
    bool exec(const QString &sql);
    // Makes the store refuse every row of table at event ("UPDATE", "DELETE")
    // with the message, in the open engine's own trigger language.
    bool refuse(const QString &table, const QString &event, const QString &message);
    // One value read back from the store with a fresh query.
    QVariant scalar(const QString &sql);

private:
    QTemporaryDir m_dir;
    QString m_previous;
    QString m_serverUrl;
    QString m_serverDatabase;
    bool m_ok = false;
    QString m_error;
};
