#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Which database the program works on: the file in its folder, or a
// PostgreSQL database on a server that several workstations share.
namespace Store {

struct ServerAddress
{
    QString user;      // empty: the login name, as every PostgreSQL client does
    QString host;      // names, addresses or socket folders, comma-separated; empty: the local socket
    QString port;      // one port, or one per host, comma-separated; empty: 5432
    QString database;  // empty: the user's name, as libpq takes it
    // Further connection parameters as libpq names them (sslmode, connect_timeout …).
    QMap<QString, QString> parameters;

    // The address without anything secret, as the windows show it.
    QString shown() const;
};

// Reads a connection URI as libpq does:
// postgresql://[user@][host][:port][,host[:port]…][/database][?name=value&…],
// with any of host, port, dbname and user also in the query, and the query
// parameters libpq passes on for a connection (port, connect_timeout,
// application_name, sslmode, sslrootcert, sslcert, sslkey,
// target_session_attrs). An unknown parameter is refused by name; a password
// is refused, for it belongs in ~/.pgpass or PGPASSWORD. No error shows a password.
bool parseServerUrl(const QString &url, ServerAddress *address, QString *error);

// The address as typed, with any password in it replaced, for messages and logs.
QString withoutPassword(const QString &url);

// The server named on the command line (fromCommandLine, empty when none was
// given), or else by "[store] url=" in quorvel.conf in folder. False with the
// reason when that file cannot be read; true with *url empty for the file.
bool configuredServerUrl(const QString &fromCommandLine, const QString &folder, QString *url, QString *error);

}  // namespace Store
