// The module that holds ventaro's only database code, loaded by
// openRunStore when a schedule is kept.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "platform/run_store.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Store
{
    Q_DECLARE_TR_FUNCTIONS(Store)
};

} // namespace

// Writes go through the write-ahead log: a crash loses no committed run, and
// another window's write waits a moment instead of failing.
const char *const kSetUp[] = {
    "PRAGMA journal_mode=WAL",
    "PRAGMA synchronous=NORMAL",
    "PRAGMA busy_timeout=500",
    "CREATE TABLE IF NOT EXISTS runs (schedule TEXT NOT NULL, started_ms INTEGER NOT NULL, serial INTEGER NOT NULL,"
    " due TEXT, timing TEXT, command TEXT, pid INTEGER, ended TEXT, failed INTEGER, kept TEXT,"
    " PRIMARY KEY (schedule, started_ms, serial))",
};

namespace {

class SqliteRunStore final : public RunStore
{
public:
    explicit SqliteRunStore(QSqlDatabase db)
        : db_(std::move(db))
    {
    }
    ~SqliteRunStore() override
    {
        const QString name = db_.connectionName();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }

    Done record(const QString &schedule, const StoredRun &run) override
    {
        QSqlQuery write(db_);
        write.prepare(QStringLiteral(
            "INSERT INTO runs VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (schedule, started_ms, serial) "
            "DO UPDATE SET ended = excluded.ended, failed = excluded.failed"));
        for (const QVariant &value : {QVariant(schedule), QVariant(run.startedMs), QVariant(run.serial), QVariant(run.due),
                                      QVariant(run.timing), QVariant(run.command), QVariant(run.pid), QVariant(run.ended),
                                      QVariant(run.failed), QVariant(run.kept)})
            write.addBindValue(value);
        if (!write.exec())
            return failed(write);
        // Pruned as each run starts, so that the table never grows past its bounds.
        if (run.ended == kStillRunning)
            return prune(schedule);
        return {};
    }

    Result<std::vector<StoredRun>> runs(const QString &schedule, int last) override
    {
        QSqlQuery read(db_);
        read.prepare(QStringLiteral("SELECT started_ms, serial, due, timing, command, pid, ended, failed, kept FROM runs "
                                    "WHERE schedule = ? ORDER BY started_ms DESC, serial DESC LIMIT ?"));
        read.addBindValue(schedule);
        read.addBindValue(last);
        if (!read.exec())
            return Result<std::vector<StoredRun>>::failure(failed(read).reason());
        std::vector<StoredRun> found;
        while (read.next()) {
            found.insert(found.begin(),
                         StoredRun{read.value(0).toLongLong(), read.value(1).toLongLong(), read.value(2).toString(),
                                   read.value(3).toString(), read.value(4).toString(), read.value(5).toLongLong(),
                                   read.value(6).toString(), read.value(7).toBool(), read.value(8).toString()});
        }
        return found;
    }

    Done forget(const QString &schedule) override
    {
        QSqlQuery remove(db_);
        remove.prepare(QStringLiteral("DELETE FROM runs WHERE schedule = ?"));
        remove.addBindValue(schedule);
        return remove.exec() ? Done() : failed(remove);
    }

private:
    Done prune(const QString &schedule)
    {
        QSqlQuery prune(db_);
        prune.prepare(QStringLiteral(
            "DELETE FROM runs WHERE schedule = ? AND (started_ms < ? OR started_ms < (SELECT started_ms FROM runs "
            "WHERE schedule = ? ORDER BY started_ms DESC LIMIT 1 OFFSET ?))"));
        prune.addBindValue(schedule);
        prune.addBindValue(QDateTime::currentMSecsSinceEpoch() - qint64(kMostDays) * 86400000);
        prune.addBindValue(schedule);
        prune.addBindValue(kMostRuns - 1);
        return prune.exec() ? Done() : failed(prune);
    }

    Done failed(const QSqlQuery &query) const
    {
        return Done::failure(Store::tr("%1 could not be written: %2")
                                 .arg(QDir::toNativeSeparators(db_.databaseName()), query.lastError().text()));
    }

    QSqlDatabase db_;
};

} // namespace

} // namespace ventaro

extern "C" Q_DECL_EXPORT ventaro::RunStore *ventaroOpenRunStore(const QString &file, QString *why)
{
    // Only the user may read what the commands were and how they ended.
    if (!QDir().mkpath(QFileInfo(file).path())) {
        *why = QCoreApplication::translate("Store", "the folder %1 could not be made").arg(QFileInfo(file).path());
        return nullptr;
    }
    QFile::setPermissions(QFileInfo(file).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QUuid::createUuid().toString());
    db.setDatabaseName(file);
    if (!db.open()) {
        *why = QCoreApplication::translate("Store", "%1 could not be opened: %2").arg(file, db.lastError().text());
        return nullptr;
    }
    for (const char *statement : ventaro::kSetUp) {
        QSqlQuery query(db);
        if (!query.exec(QLatin1String(statement))) {
            *why = QCoreApplication::translate("Store", "%1 could not be set up: %2").arg(file, query.lastError().text());
            return nullptr;
        }
    }
    return new ventaro::SqliteRunStore(db);
}
