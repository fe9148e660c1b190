#pragma once

#include <optional>

#include <QString>

#include "schedule/unit.h"

namespace ventaro {

// How starts behave besides their time.
struct ScheduleOptions
{
    // A start is skipped while the previous run still goes.
    bool oneAtATime = false;
    // Starts missed (asleep, the clock set forward, not running) are made
    // up by one start as soon as the gap is seen.
    bool catchUp = false;
    // The computer is kept from sleeping while a run goes.
    bool keepAwake = false;
    // A run still going after this many seconds is stopped, as a failure; 0: never.
    qint64 stopAfter = 0;
    // A failed run starts again after retryAfter seconds, at most retries times.
    int retries = 0;
    qint64 retryAfter = kDefaultRetryAfter;

    static constexpr qint64 kDefaultRetryAfter = 600;
    static constexpr int kMostRetries = 99;

    bool operator==(const ScheduleOptions &) const = default;
};

// The schedule as the window's fields hold it: read once by each handler,
// and what the window shows again after it.
struct ScheduleFields
{
    QString activation;
    QString count;
    std::optional<Unit> unit; // the chosen repeat option; none chosen
    QString command;
    ScheduleOptions options;

    bool operator==(const ScheduleFields &) const = default;
};

} // namespace ventaro
