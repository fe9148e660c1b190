#include "fakes.h"

#include "schedule/runtime_error.h"

namespace ventaro::test {

EnvOverride::EnvOverride(const char *name, const QByteArray &value)
    : name_(name)
    , saved_(qgetenv(name))
    , wasSet_(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value);
}

EnvOverride::~EnvOverride()
{
    if (wasSet_)
        qputenv(name_, saved_);
    else
        qunsetenv(name_);
}

FakeClock::FakeClock(const QString &reading, const QByteArray &zone)
    : zone_(zone)
{
    Q_ASSERT(zone_.isValid());
    set(reading);
}

void FakeClock::set(const QString &reading)
{
    const QDate date = QDate::fromString(reading.left(10), QStringLiteral("yyyy/MM/dd"));
    const QTime time = QTime::fromString(reading.mid(11, 12), QStringLiteral("HH:mm:ss.zzz"));
    if (reading.size() > 23) {
        const QTime offset = QTime::fromString(reading.mid(25), QStringLiteral("HH:mm"));
        const int sign = reading.at(24) == u'-' ? -1 : 1;
        now_ = QDateTime(date, time, Qt::OffsetFromUTC, sign * offset.msecsSinceStartOfDay() / 1000)
                   .toTimeZone(zone_);
    } else {
        now_ = QDateTime(date, time, zone_);
    }
    Q_ASSERT(now_.isValid());
}

void FakeClock::advanceMs(qint64 ms)
{
    now_ = now_.addMSecs(ms);
}

QDateTime FakeClock::now() const
{
    return now_;
}

QDateTime FakeClock::local(qint64 secsSinceEpoch) const
{
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, zone_);
}

qint64 FakeLauncher::launch(const QString &commandLine)
{
    if (!failWith.isEmpty())
        throw RuntimeError(failWith);
    started << commandLine;
    if (clock)
        startedAt << clock->now();
    return 1000 + started.size();
}

QString FakeLauncher::refusal(const QString &) const
{
    return refuseWith;
}

bool FakeLauncher::stop(qint64 pid)
{
    stopped << pid;
    return true;
}

void FakeLauncher::listen(LaunchListener &listener)
{
    listener_ = &listener;
}

void FakeLauncher::write(qint64 pid, QByteArrayView bytes)
{
    listener_->processOutput(pid, bytes);
}

void FakeLauncher::end(const ChildExit &exit)
{
    listener_->processEnded(exit);
}

ScheduleFields FakeView::fields() const
{
    std::optional<Unit> unit;
    for (const auto &[option, chosen] : options) {
        if (chosen)
            unit = option;
    }
    ScheduleOptions chosen = limits;
    chosen.oneAtATime = oneByOne;
    chosen.catchUp = makeUp;
    return {activate, interval, unit, command, chosen};
}

void FakeView::apply(const ScheduleState &state)
{
    ++changes;
    activate = state.fields.activation;
    interval = state.fields.count;
    selectOption(state.fields.unit);
    command = state.fields.command;
    oneByOne = state.fields.options.oneAtATime;
    makeUp = state.fields.options.catchUp;
    limits = state.fields.options;
    if (!state.clock.isEmpty())
        clock = state.clock;
    enabled = !state.armed;
    height = state.armed ? 270 : 2340;
    for (const Notice &notice : state.notices) {
        notices << notice;
        messages << notice.body;
    }
}

bool FakeView::optionSelected(Unit unit) const
{
    const auto it = options.find(unit);
    return it != options.end() && it->second;
}

void FakeView::selectOption(std::optional<Unit> unit)
{
    options.clear();
    if (unit)
        options[*unit] = true;
}

void FakeView::select(Unit unit)
{
    selectOption(unit);
}

} // namespace ventaro::test

namespace ventaro::test {

void FakeInhibitor::hold(qint64 hold, const QString &why, Told told)
{
    log << QStringLiteral("hold %1: %2").arg(hold).arg(why);
    told(hold, refuseWith.isEmpty() ? Done() : Done::failure(refuseWith));
}

void FakeInhibitor::release(qint64 hold)
{
    log << QStringLiteral("release %1").arg(hold);
}

} // namespace ventaro::test
