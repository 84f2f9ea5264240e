#pragma once

#include <QString>
#include <QStringList>

// Which database the program works on: the file in its folder, or a
// PostgreSQL database on a server that several workstations share.
namespace Store {

struct ServerAddress
{
    QString user;      // empty: the login name, as every PostgreSQL client does
    QString host;      // a name, an address, or a folder holding the server's socket
    int port = 5432;
    QString database;
    QString sslMode;   // libpq's sslmode; empty for libpq's own default

    // The address without anything secret, as the windows show it.
    QString shown() const;
};

// Reads postgresql://[user@]host[:port]/database[?sslmode=...&host=/socket/folder].
// A password in the address is refused: it belongs in ~/.pgpass or PGPASSWORD.
bool parseServerUrl(const QString &url, ServerAddress *address, QString *error);

// The server named on the command line (fromCommandLine, empty when none was
// given), or else by "[store] url=" in quorvel.conf in folder. False with the
// reason when that file cannot be read; true with *url empty for the file.
bool configuredServerUrl(const QString &fromCommandLine, const QString &folder, QString *url, QString *error);

}  // namespace Store
