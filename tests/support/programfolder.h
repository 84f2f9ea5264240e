#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh temporary program folder for one test: a new database, the eleven
// skins, and the folder made current with the connection open. Everything is
// put back as it was when it goes.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool openDatabase = true);
    ~ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const;
    bool isValid() const { return m_ok; }
    QString error() const { return m_error; }

    // Stores a theme number text in the settings row.
    bool setTheme(const QString &number);
    // Runs one statement on the open connection; false on failure.
    bool exec(const QString &sql);
    // One value read back from the store with a fresh query.
    QVariant scalar(const QString &sql);

private:
    QTemporaryDir m_dir;
    QString m_previous;
    bool m_ok = false;
    QString m_error;
};
