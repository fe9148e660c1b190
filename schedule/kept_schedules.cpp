#include "schedule/kept_schedules.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/autostart_entry.h"
#include "platform/clock.h"
#include "platform/run_store.h"
#include "schedule/activation_outlook.h"
#include "schedule/given_schedule.h"
#include "schedule/local_time.h"
#include "schedule/missed_starts.h"
#include "schedule/option_table.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct KeptSchedules
{
    Q_DECLARE_TR_FUNCTIONS(KeptSchedules)
};

} // namespace

namespace {

QString optionWords(const ScheduleOptions &o)
{
    QStringList words;
    if (o.oneAtATime)
        words << KeptSchedules::tr("one at a time");
    if (o.catchUp)
        words << KeptSchedules::tr("catch up");
    if (o.keepAwake)
        words << KeptSchedules::tr("keep awake");
    if (o.stopAfter > 0)
        words << KeptSchedules::tr("stop after %1").arg(durationText(o.stopAfter));
    if (o.retries > 0)
        words << KeptSchedules::tr("retry %1 times, %2 apart").arg(o.retries).arg(durationText(o.retryAfter));
    return words.join(QStringLiteral(", "));
}

// The activation, or where its repeat moves it on to once it has passed.
QString nextStart(const GivenSchedule &given, const Clock &clock, const Separators &separators)
{
    if (!given.set)
        return given.startedOnce ? KeptSchedules::tr("started once") : KeptSchedules::tr("not armed");
    try {
        const qint64 now = clock.now().toSecsSinceEpoch();
        const LocalSlot slot = slotOf(clock, readDateText(*given.activation, separators, clock.now().date()), now);
        if (slot.instant >= now)
            return *given.activation;
        std::optional<Repeat> repeat;
        if (given.unit && given.count)
            if (const Result<Repeat> usable = usableRepeat(*given.unit, *given.count))
                repeat = *usable;
        const PassedOver passed = passOver(clock, slot, *given.activation, repeat, now, MissedStarts::Cause::NotRunning, separators);
        return passed.next ? timestampText(passed.next->local, separators) : KeptSchedules::tr("none: its time has passed");
    } catch (const RuntimeError &error) {
        return error.message();
    }
}

QString lastRun(const std::shared_ptr<RunStore> &store, const QString &id)
{
    if (!store)
        return {};
    const Result<std::vector<StoredRun>> runs = store->runs(id, 1);
    if (!runs || runs->empty())
        return {};
    return QStringLiteral("%1, %2").arg(runs->back().due, runs->back().ended);
}

} // namespace

std::vector<KeptSchedule> keptSchedules(const Clock &clock, const Separators &separators)
{
    const QStringList ids = AutostartEntry::ids();
    // Only with something kept is the history's module loaded.
    std::shared_ptr<RunStore> store;
    if (!ids.isEmpty())
        if (Result<std::shared_ptr<RunStore>> opened = openRunStore())
            store = *opened;
    std::vector<KeptSchedule> kept;
    for (const QString &id : ids) {
        AutostartEntry entry(id);
        KeptSchedule schedule{id, {}, {}, {}, {}, lastRun(store, id), entry.heldBy().has_value(), {}};
        const Result<QStringList> command = entry.command();
        if (!command) {
            schedule.next = command.reason();
            kept.push_back(schedule);
            continue;
        }
        schedule.arguments = *command;
        QList<QByteArray> bytes;
        std::vector<char *> argv;
        for (const QString &word : *command)
            bytes << word.toLocal8Bit();
        for (QByteArray &word : bytes)
            argv.push_back(word.data());
        const ProgramOptions options = readArguments(int(argv.size()), argv.data(), commandLineOptions());
        const ReadSchedule read = readGivenSchedule(options, clock, separators);
        const GivenSchedule &given = read.schedule;
        schedule.next = read.problem.isEmpty() ? nextStart(given, clock, separators) : read.problem;
        if (given.unit && given.count)
            schedule.repeat = everyText(*given.unit, readRepeatCount(*given.count));
        schedule.options = optionWords(given.options);
        schedule.command = given.command.value_or(QString());
        kept.push_back(schedule);
    }
    return kept;
}

QString keptSchedulesText(const std::vector<KeptSchedule> &kept)
{
    QString text;
    for (const KeptSchedule &k : kept) {
        QStringList fields{k.id, KeptSchedules::tr("next: %1").arg(k.next)};
        for (const QString &field : {k.repeat, k.options})
            if (!field.isEmpty())
                fields << field;
        fields << (k.command.isEmpty() ? KeptSchedules::tr("command: (none)") : KeptSchedules::tr("command: %1").arg(k.command));
        fields << (k.lastRun.isEmpty() ? KeptSchedules::tr("last run: none kept") : KeptSchedules::tr("last run: %1").arg(k.lastRun));
        if (k.running)
            fields << KeptSchedules::tr("its window runs");
        text += fields.join(QStringLiteral("; ")) + u'\n';
    }
    return text;
}

QByteArray keptSchedulesJson(const std::vector<KeptSchedule> &kept)
{
    QJsonArray list;
    for (const KeptSchedule &k : kept) {
        list.append(QJsonObject{{QStringLiteral("id"), k.id},           {QStringLiteral("next"), k.next},
                                {QStringLiteral("repeat"), k.repeat},   {QStringLiteral("options"), k.options},
                                {QStringLiteral("command"), k.command}, {QStringLiteral("lastRun"), k.lastRun},
                                {QStringLiteral("running"), k.running}});
    }
    return QJsonDocument(list).toJson();
}

Done removeKeptSchedule(const QString &id)
{
    if (!AutostartEntry::validId(id) || !AutostartEntry::ids().contains(id))
        return Done::failure(KeptSchedules::tr("there is no kept schedule %1 (see --list)").arg(id));
    // Held while it is removed, so that its window cannot start meanwhile.
    AutostartEntry entry(id);
    const AutostartEntry::Claim claim = entry.claim();
    if (claim.state == AutostartEntry::Claim::State::Taken)
        return Done::failure(KeptSchedules::tr("%1: choose Exit in that window (or untick Start at Login there) first").arg(claim.why));
    if (const QString why = entry.remove(); !why.isEmpty())
        return Done::failure(why);
    const Result<std::shared_ptr<RunStore>> store = openRunStore();
    if (!store)
        return Done::failure(KeptSchedules::tr("the entry is removed, but not its history: %1").arg(store.reason()));
    return (*store)->forget(id);
}

} // namespace ventaro
