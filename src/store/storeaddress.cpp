#include "store/storeaddress.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>

namespace Store {

QString ServerAddress::shown() const
{
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += user + QLatin1Char('@');
    text += host.startsWith(QLatin1Char('/')) ? QStringLiteral("[%1]").arg(host) : host;
    return text + QStringLiteral(":%1/%2").arg(port).arg(database);
}

bool parseServerUrl(const QString &text, ServerAddress *address, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))) {
        *error = QStringLiteral("not a postgresql:// address: %1").arg(text);
        return false;
    }
    if (!url.password().isEmpty()) {
        *error = QStringLiteral("the address holds a password; put it in ~/.pgpass or PGPASSWORD instead");
        return false;
    }
    ServerAddress read;
    read.user = url.userName();
    read.host = url.host();
    read.port = url.port(5432);
    read.database = url.path().mid(1);
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("sslmode")) {
            static const QStringList modes{QStringLiteral("disable"), QStringLiteral("allow"), QStringLiteral("prefer"),
                                           QStringLiteral("require"), QStringLiteral("verify-ca"),
                                           QStringLiteral("verify-full")};
            if (!modes.contains(value)) {
                *error = QStringLiteral("unknown sslmode: %1").arg(value);
                return false;
            }
            read.sslMode = value;
        } else if (key == QLatin1String("host")) {
            read.host = value;
        } else {
            *error = QStringLiteral("unknown setting in the address: %1").arg(key);
            return false;
        }
    }
    if (read.host.isEmpty() || read.database.isEmpty() || read.database.contains(QLatin1Char('/'))) {
        *error = QStringLiteral("the address must name a server and a database: %1").arg(text);
        return false;
    }
    *address = read;
    return true;
}

bool configuredServerUrl(const QString &fromCommandLine, const QString &folder, QString *url, QString *error)
{
    *url = fromCommandLine;
    if (!url->isEmpty())
        return true;
    const QString path = QDir(folder).filePath(QStringLiteral("quorvel.conf"));
    if (!QFileInfo::exists(path))
        return true;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        *error = QStringLiteral("%1 cannot be read").arg(QDir::toNativeSeparators(path));
        return false;
    }
    *url = settings.value(QStringLiteral("store/url")).toString().trimmed();
    return true;
}

}  // namespace Store
