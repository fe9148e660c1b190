#pragma once

#include <optional>

#include <QChar>
#include <QDate>
#include <QString>

#include "platform/locale_separators.h"
#include "schedule/local_time.h"
#include "schedule/missed_starts.h"
#include "schedule/schedule_fields.h"
#include "schedule/timestamp.h"
#include "schedule/unit.h"

namespace ventaro {

// What the activation box says of itself, one of four things.
enum class ActivationState {
    Waiting, // "Starts in ...", or before Set what Set will do
    Done,    // a one-time start has started: when, its process, how it ended
    Missed,  // a long gap passed over starts: told until Set or Release
    Never,   // the clock will never show it, or nothing will start
};

// The state and its words; the last two states deserve a warning.
struct ActivationOutlook
{
    ActivationState state = ActivationState::Waiting;
    bool warning = false;
    QString toolTip;
};

struct OutlookInput
{
    QString activateText;
    bool armed = false;
    std::optional<Unit> unit; // the chosen repeat unit, if any
    double count = 0;         // the repeat count as read
    // Where the repeat moves the slot on to, by the step the tick takes, or
    // why it cannot.
    std::optional<LocalSlot> next;
    QString stepError;
    qint64 now = 0;            // the present instant, seconds since the epoch
    CivilSeconds nowLocal = 0; // and its local time
    std::optional<qint64> examined; // the last real second the ticks looked at
    std::optional<LocalSlot> slot;  // what the text stands for, when it is exact
    QString slotText;               // the local time the clock shows then
    QString leapFrom;               // for a skipped time: where the clock leaps from
    bool matched = false;           // that slot has started already
    bool movedOn = false;           // Set moved a passed time on to that slot
    bool startedBefore = false;     // not armed: its one-time start was made before
    QString lastStart;              // then, the start it made, in words
    std::optional<MissedStarts> missed;
    ScheduleOptions options;
    QString skipped;  // what One at a Time skipped lately, in words
    QString maySleep; // why the computer may sleep while a run goes, once refused
    // Armed: the command box is empty, or why its command would not start now.
    bool noCommand = false;
    QString refusal;
    Separators separators;
};

// A late tick looks back over the real seconds it skipped only across a
// gap this short; after a longer one (suspend, the clock set by hand) a
// repeat moves on to its next slot and the starts in between are missed.
inline constexpr qint64 kLookBackSeconds = 60;

// Whether a tick at now looks back to the second after lastLooked.
bool looksBack(std::optional<qint64> lastLooked, qint64 now);

ActivationOutlook activationOutlook(const OutlookInput &input);

// The window as a screen reader names it: "ventaro, armed: starts at
// 21:40:05, then every 10 minutes", "ventaro, not armed".
QString armedSummary(const OutlookInput &input, const ActivationOutlook &outlook);

// "59 s", "1 min", "4 min 12 s", "2 h 5 min", "1 day", "3 days 4 h".
QString durationText(qint64 seconds);

// "every 5 minutes", "every hour", "every 1.5 hours".
QString everyText(Unit unit, double count);

} // namespace ventaro
