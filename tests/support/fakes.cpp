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

bool FakeLauncher::stop(qint64 pid)
{
    stopped << pid;
    return true;
}

QString FakeView::activateText() const { return activate; }
void FakeView::setActivateText(const QString &text) { activate = text; }
void FakeView::setActivateEnabled(bool value) { enabled = value; }
QString FakeView::intervalText() const { return interval; }
QString FakeView::commandText() const { return command; }
bool FakeView::oneAtATime() const { return oneByOne; }
bool FakeView::catchUp() const { return makeUp; }
void FakeView::setClockCaption(const QString &text) { clock = text; }
void FakeView::setHeightTwips(int value) { height = value; }
void FakeView::report(const Notice &notice)
{
    notices << notice;
    messages << notice.body;
}

bool FakeView::optionSelected(Unit unit) const
{
    const auto it = options.find(unit);
    return it != options.end() && it->second;
}

void FakeView::select(Unit unit)
{
    options.clear();
    options[unit] = true;
}

} // namespace ventaro::test
