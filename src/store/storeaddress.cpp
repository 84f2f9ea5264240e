#include "store/storeaddress.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

#include <algorithm>

namespace Store {

namespace {

const QString kDefaultPort = QStringLiteral("5432");

QString decoded(QStringView text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// One host of a host list: a bracketed IPv6 address or a name, then an optional port.
bool splitHost(QStringView entry, QString *host, QString *port)
{
    if (entry.startsWith(u'[')) {
        const qsizetype close = entry.indexOf(u']');
        if (close < 0)
            return false;
        *host = entry.mid(1, close - 1).toString();
        const QStringView rest = entry.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            return false;
        *port = rest.mid(1).toString();
        return true;
    }
    const qsizetype colon = entry.lastIndexOf(u':');
    *host = decoded(colon < 0 ? entry : entry.left(colon));
    *port = colon < 0 ? QString() : entry.mid(colon + 1).toString();
    return true;
}

bool isPort(const QString &text)
{
    bool number = false;
    const int port = text.toInt(&number);
    return text.isEmpty() || (number && port >= 1 && port <= 65535);
}

bool isOneOf(const QString &value, std::initializer_list<const char *> allowed)
{
    for (const char *one : allowed)
        if (value == QLatin1String(one))
            return true;
    return false;
}

// Whether value is one the parameter takes; libpq checks the paths when it connects.
bool acceptsValue(const QString &name, const QString &value)
{
    if (name == QLatin1String("sslmode"))
        return isOneOf(value, {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"});
    if (name == QLatin1String("target_session_attrs"))
        return isOneOf(value, {"any", "read-write", "read-only", "primary", "standby", "prefer-standby"});
    if (name == QLatin1String("connect_timeout")) {
        bool number = false;
        return value.toInt(&number) >= 0 && number;
    }
    return !value.isEmpty();
}

const QStringList &passedParameters()
{
    static const QStringList names{QStringLiteral("connect_timeout"), QStringLiteral("application_name"),
                                   QStringLiteral("sslmode"), QStringLiteral("sslrootcert"), QStringLiteral("sslcert"),
                                   QStringLiteral("sslkey"), QStringLiteral("target_session_attrs")};
    return names;
}

QString passwordRefusal()
{
    return QStringLiteral("نشانی گذرواژه دارد؛ گذرواژه را در ~/.pgpass یا PGPASSWORD بگذارید، نه در نشانی.");
}

}  // namespace

QString ServerAddress::shown() const
{
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += user + QLatin1Char('@');
    const QStringList hosts = host.isEmpty() ? QStringList{QStringLiteral("/var/run/postgresql")} : host.split(u',');
    const QStringList ports = port.split(u',');
    QStringList shownHosts;
    for (qsizetype i = 0; i < hosts.size(); ++i) {
        const QString &one = hosts.at(i);
        const QString onePort = ports.value(ports.size() == 1 ? 0 : i);
        shownHosts << (one.startsWith(u'/') || one.contains(u':') ? QStringLiteral("[%1]").arg(one) : one) + u':'
                          + (onePort.isEmpty() ? kDefaultPort : onePort);
    }
    return text + shownHosts.join(u',') + u'/' + database;
}

QString withoutPassword(const QString &url)
{
    QString text = url;
    // user:password@ in the authority, and password=… in a query or a keyword list.
    static const QRegularExpression inAuthority(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*://[^/?#@:]*):[^/?#@]*@"));
    static const QRegularExpression asParameter(QStringLiteral("(password\\s*=\\s*)('[^']*'|[^&\\s]*)"),
                                                QRegularExpression::CaseInsensitiveOption);
    text.replace(inAuthority, QStringLiteral("\\1:***@"));
    text.replace(asParameter, QStringLiteral("\\1***"));
    return text;
}

bool parseServerUrl(const QString &text, ServerAddress *address, QString *error)
{
    const QString url = text.trimmed();
    QStringView rest;
    for (const QLatin1String scheme : {QLatin1String("postgresql://"), QLatin1String("postgres://")})
        if (url.startsWith(scheme))
            rest = QStringView(url).mid(scheme.size());
    if (rest.data() == nullptr) {
        *error = QStringLiteral("این نشانی سرور PostgreSQL نیست (باید با postgresql:// آغاز شود): %1").arg(withoutPassword(url));
        return false;
    }
    const qsizetype queryAt = rest.indexOf(u'?');
    const QStringView query = queryAt < 0 ? QStringView() : rest.mid(queryAt + 1);
    rest = queryAt < 0 ? rest : rest.left(queryAt);
    const qsizetype pathAt = rest.indexOf(u'/');
    QStringView authority = pathAt < 0 ? rest : rest.left(pathAt);
    ServerAddress read;
    read.database = pathAt < 0 ? QString() : decoded(rest.mid(pathAt + 1));
    const auto badPart = [&](const QString &part) {
        *error = QStringLiteral("بخشی از نشانی سرور درست نیست (%1): %2").arg(part, withoutPassword(url));
        return false;
    };

    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0) {
        const QStringView userInfo = authority.left(at);
        const qsizetype colon = userInfo.indexOf(u':');
        if (colon >= 0 && colon + 1 < userInfo.size()) {
            *error = passwordRefusal();
            return false;
        }
        read.user = decoded(colon < 0 ? userInfo : userInfo.left(colon));
        authority = authority.mid(at + 1);
    }
    QStringList hosts;
    QStringList ports;
    if (!authority.isEmpty()) {
        for (const QStringView entry : authority.split(u',')) {
            QString host;
            QString port;
            if (!splitHost(entry, &host, &port))
                return badPart(QStringLiteral("host"));
            hosts << host;
            ports << port;
        }
    }

    for (const QStringView pair : query.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0)
            return badPart(decoded(pair));
        const QString name = decoded(pair.left(equals));
        const QString value = decoded(pair.mid(equals + 1));
        if (name == QLatin1String("password")) {
            *error = passwordRefusal();
            return false;
        }
        if (name == QLatin1String("host")) {
            hosts = value.split(u',');
        } else if (name == QLatin1String("port")) {
            ports = value.split(u',');
        } else if (name == QLatin1String("dbname")) {
            read.database = value;
        } else if (name == QLatin1String("user")) {
            read.user = value;
        } else if (passedParameters().contains(name)) {
            // Qt's driver joins its options with ';': a value holding one could not reach libpq whole.
            if (!acceptsValue(name, value) || value.contains(u';'))
                return badPart(name);
            read.parameters.insert(name, value);
        } else {
            *error = QStringLiteral("نشانی سرور تنظیمی دارد که برنامه نمی‌شناسد: %1").arg(name);
            return false;
        }
    }
    for (const QString &port : ports)
        if (!isPort(port))
            return badPart(QStringLiteral("port"));
    if (ports.size() > 1 && ports.size() != std::max<qsizetype>(hosts.size(), 1))
        return badPart(QStringLiteral("port"));
    if (read.database.contains(u'/'))
        return badPart(QStringLiteral("dbname"));
    read.host = hosts.join(u',');
    if (std::any_of(ports.cbegin(), ports.cend(), [](const QString &port) { return !port.isEmpty(); }))
        read.port = ports.join(u',');
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
        *error = QStringLiteral("پروندهٔ تنظیمات %1 خوانده نمی‌شود.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    *url = settings.value(QStringLiteral("store/url")).toString().trimmed();
    return true;
}

}  // namespace Store
