#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/locale_separators.h"
#include "platform/result.h"

namespace ventaro {

class Clock;

// A schedule a window keeps by its login entry, as a list shows it.
struct KeptSchedule
{
    QString id;
    QString next;    // the next start, "not armed", or why it cannot be read
    QString repeat;  // "every 1 day", or empty
    QString options; // "one at a time, keep awake, ..."
    QString command;
    QString lastRun; // from its history, when there is one
    bool running = false; // its window runs now
    QStringList arguments; // what starts its window again
};

// Every kept schedule, by id.
std::vector<KeptSchedule> keptSchedules(const Clock &clock, const Separators &separators);
// One line each, or JSON for scripts.
QString keptSchedulesText(const std::vector<KeptSchedule> &kept);
QByteArray keptSchedulesJson(const std::vector<KeptSchedule> &kept);
// Removes the login entry and its history; refused while its window runs.
Done removeKeptSchedule(const QString &id);

} // namespace ventaro
