#pragma once

#include <map>

#include <QStringList>
#include <QTimeZone>

#include "platform/clock.h"
#include "platform/sleep_inhibitor.h"
#include "schedule/launcher.h"
#include "schedule/schedule_state.h"

namespace ventaro::test {

// Puts an environment variable back as it was when the test is over, on
// every path out of it.
class EnvOverride final
{
public:
    EnvOverride(const char *name, const QByteArray &value);
    ~EnvOverride();
    Q_DISABLE_COPY_MOVE(EnvOverride)

private:
    const char *name_;
    QByteArray saved_;
    bool wasSet_;
};

// A clock that stands still until told, in a real time zone (UTC unless
// named): set("2024/05/17 21:40:00.250"), or with the offset that tells the
// two showings of a repeated hour apart: set("2024/10/27 02:30:00.002 +01:00").
class FakeClock final : public Clock
{
public:
    explicit FakeClock(const QString &reading = QStringLiteral("2024/05/17 21:40:00.000"),
                       const QByteArray &zone = QByteArrayLiteral("UTC"));
    void set(const QString &reading);
    void advanceMs(qint64 ms);
    QDateTime now() const override;
    QDateTime local(qint64 secsSinceEpoch) const override;

private:
    QTimeZone zone_;
    QDateTime now_;
};

// Records every command line it is asked to start; fails when told to.
class FakeLauncher final : public Launcher
{
public:
    qint64 launch(const QString &commandLine) override;
    bool stop(qint64 pid) override;
    QString refusal(const QString &commandLine) const override;
    void listen(LaunchListener &listener) override;

    // A started process writes, or ends: told as the real launcher tells it.
    void write(qint64 pid, QByteArrayView bytes);
    void end(const ChildExit &exit);

    QStringList started;
    QList<qint64> stopped;
    const Clock *clock = nullptr; // when set, startedAt records its readings
    QList<QDateTime> startedAt;
    QString failWith; // non-empty: throw this message instead of starting
    QString refuseWith; // what refusal says of every command

private:
    LaunchListener *listener_ = nullptr;
};

// Grants each hold at once, or refuses it when told; says what it was asked.
class FakeInhibitor final : public SleepInhibitor
{
public:
    void hold(qint64 hold, const QString &why, Told told) override;
    void release(qint64 hold) override;

    QStringList log;
    QString refuseWith;
};

// The window as the schedule sees it: its fields as plain values, read
// once for each handler, and what each state it is told shows.
class FakeView final
{
public:
    ScheduleFields fields() const;
    void apply(const ScheduleState &state);
    bool optionSelected(Unit unit) const;
    void selectOption(std::optional<Unit> unit);
    void select(Unit unit);

    QString activate = QStringLiteral("yyyy/mm/dd hh:mi:ss");
    bool enabled = true;
    QString interval;
    std::map<Unit, bool> options;
    QString command;
    bool oneByOne = false;
    bool makeUp = false;
    ScheduleOptions limits; // keeping awake, time limit, retries
    QString clock;
    int height = 2340;
    int changes = 0; // how often the schedule said it changed
    QStringList messages; // the bodies of the notices, in order
    QList<Notice> notices;
};

} // namespace ventaro::test
