#include "store/engine.h"

#include "store/databasecopy.h"
#include "store/fileengine.h"
#include "store/serverengine.h"

#include <QSqlDatabase>

namespace Store {

namespace {

const QString kNoStore = QStringLiteral("no database is open");

std::unique_ptr<Engine> &openEngine()
{
    static std::unique_ptr<Engine> engine;
    return engine;
}

const FileEngine &anyFile()
{
    static const FileEngine engine;
    return engine;
}

const ServerEngine &anyServer()
{
    static const ServerEngine engine;
    return engine;
}

}  // namespace

CopyOutcome Engine::writeSnapshot(SafeFile::Writer &, const Progress &)
{
    return {CopyEnd::Source, kNoStore};
}

CopyOutcome Engine::replaceWith(const QString &, const Progress &)
{
    return {CopyEnd::Replace, kNoStore};
}

ReadEnd Engine::readRows(const QString &, const QStringList &, const std::function<bool(const RowValues &)> &,
                         QString *error)
{
    *error = kNoStore;
    return ReadEnd::Failed;
}

Engine &engine()
{
    // Before any open, and after a close, the file's rules with no file behind them.
    static FileEngine none;
    return openEngine() ? *openEngine() : none;
}

void setOpenEngine(std::unique_ptr<Engine> engine)
{
    openEngine() = std::move(engine);
}

const Engine &engineFor(const QSqlDatabase &db)
{
    if (db.driverName() == QLatin1String("QPSQL"))
        return anyServer();
    return anyFile();
}

const Engine &engineFor(const Place &place)
{
    if (place.server)
        return anyServer();
    return anyFile();
}

}  // namespace Store
