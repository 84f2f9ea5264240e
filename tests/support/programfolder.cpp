#include "support/programfolder.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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

QVariant ProgramFolder::scalar(const QString &sql)
{
    QSqlQuery query(Store::database());
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}
