#include "support/programfolder.h"

#include "store/database.h"
#include "store/storeaddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Runs one statement on the test server's maintenance database.
bool onMaintenance(const QString &sql, QString *error)
{
    const QString name = QStringLiteral("quorvel-test-maintenance");
    bool ok = false;
    {
        Store::ServerAddress address;
        if (!Store::parseServerUrl(ProgramFolder::serverUrlOf(QStringLiteral("postgres")), &address, error))
            return false;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(address.host);
        db.setUserName(address.user);
        db.setDatabaseName(address.database);
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok)
                *error = query.lastError().text();
        } else {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

}  // namespace

bool ProgramFolder::onServer()
{
    return !qEnvironmentVariableIsEmpty("QUORVEL_TEST_SERVER_DIR");
}

QString ProgramFolder::serverUrlOf(const QString &database)
{
    QFile file(QDir(qEnvironmentVariable("QUORVEL_TEST_SERVER_DIR")).filePath(QStringLiteral("url")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed().replace(QStringLiteral("/postgres?"), QLatin1Char('/') + database + QLatin1Char('?'));
}

ProgramFolder::ProgramFolder(bool openDatabase) : m_previous(QDir::currentPath())
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    const QDir skins(QStringLiteral(QUORVEL_SKIN_DIR));
    for (const QString &name : skins.entryList({QStringLiteral("*.skn")}, QDir::Files))
        QFile::copy(skins.filePath(name), m_dir.filePath(name));
    QDir(m_dir.path()).mkpath(QStringLiteral("Back"));
    if (onServer()) {
        static int made = 0;
        m_serverDatabase = QStringLiteral("quorvel_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
        if (!onMaintenance(QStringLiteral("CREATE DATABASE %1").arg(m_serverDatabase), &m_error))
            return;
        m_serverUrl = serverUrlOf(m_serverDatabase);
        QSettings(m_dir.filePath(QStringLiteral("quorvel.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("store/url"), m_serverUrl);
        QDir::setCurrent(m_dir.path());
        if (openDatabase) {
            Store::ServerAddress address;
            Store::parseServerUrl(m_serverUrl, &address, &m_error);
            const Store::OpenResult result = Store::openServerDatabase(address);
            if (result.status != Store::OpenStatus::Opened) {
                m_error = QStringLiteral("open failed: %1").arg(result.detail);
                return;
            }
        }
        m_ok = true;
        return;
    }
    if (!Store::createDatabase(databasePath(), &m_error))
        return;
    QDir::setCurrent(m_dir.path());
    if (openDatabase) {
        const Store::OpenResult result = Store::openDatabase();
        if (result.status != Store::OpenStatus::Opened) {
            m_error = QStringLiteral("open failed: %1").arg(result.detail);
            return;
        }
    }
    m_ok = true;
}

ProgramFolder::~ProgramFolder()
{
    Store::closeDatabase();
    QDir::setCurrent(m_previous);
    QString error;
    if (!m_serverDatabase.isEmpty())
        onMaintenance(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase), &error);
}

QString ProgramFolder::databasePath() const
{
    return m_dir.filePath(QString::fromLatin1(Store::kDatabasePath));
}

bool ProgramFolder::setTheme(const QString &number)
{
    QSqlQuery query(Store::database());
    query.prepare(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = ?"));
    query.addBindValue(number);
    return query.exec();
}

bool ProgramFolder::exec(const QString &sql)
{
    QSqlQuery query(Store::database());
    if (!query.exec(sql)) {
        m_error = query.lastError().text();
        return false;
    }
    return true;
}

bool ProgramFolder::refuse(const QString &table, const QString &event, const QString &message)
{
    if (!onServer())
        return exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON \"%2\" BEGIN SELECT RAISE(ABORT, '%3'); END")
                        .arg(event, table, message));
    return exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                               "$$ BEGIN RAISE EXCEPTION '%1'; END $$")
                    .arg(message))
           && exec(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON \"%2\" FOR EACH ROW EXECUTE FUNCTION refuse()")
                       .arg(event, table));
}

QVariant ProgramFolder::scalar(const QString &sql)
{
    QSqlQuery query(Store::database());
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}
