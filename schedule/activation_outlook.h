#pragma once

#include <optional>

#include <QChar>
#include <QDate>
#include <QString>

#include "platform/locale_separators.h"
#include "schedule/timestamp.h"

namespace ventaro {

// What the activation text will lead to, in words, and whether it deserves a
// warning: a text the clock can never show, or a time that has passed while
// armed with nothing to bring it back.
struct ActivationOutlook
{
    bool warning = false;
    QString toolTip;
};

struct OutlookInput
{
    QString activateText;
    bool armed = false;
    std::optional<QChar> unit; // the chosen repeat unit, if any
    double count = 0;          // the repeat count as read
    CivilSeconds now = 0;
    std::optional<CivilSeconds> examined; // the last second the ticks looked at
    qint64 lookBackSeconds = 0;           // how far a late tick looks back
    Separators separators;
};

ActivationOutlook activationOutlook(const OutlookInput &input);

// "59 s", "1 min", "4 min 12 s", "2 h 5 min", "1 day", "3 days 4 h".
QString durationText(qint64 seconds);

// "every 5 minutes", "every hour", "every 1.5 hours".
QString everyText(QChar unit, double count);

} // namespace ventaro
