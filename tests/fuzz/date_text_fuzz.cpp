// libFuzzer target: reading and stepping a date text.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "fakes.h"
#include "schedule/local_time.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

using namespace ventaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    // The separators a locale can give, chosen by the first byte.
    const Separators separators{QChar(u"/-."[data[0] % 3]), QChar(u":."[(data[0] / 3) % 2])};
    const Unit unit = kRepeatOrder[data[1] % 4];
    const double count = static_cast<std::int8_t>(data[2]) / 4.0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 3),
                                           static_cast<qsizetype>(size - 3));
    const QDate today(2024, 9, 4);
    try {
        const CivilSeconds value = readDateText(text, separators, today);
        if (!inCalendarRange(value))
            std::abort();
        // What the clock would write reads back as the same second.
        if (readDateText(timestampText(value, separators), separators, today) != value)
            std::abort();
    } catch (const RuntimeError &) {
    }
    try {
        static const test::FakeClock clock;
        const LocalSlot from = slotOf(clock, readDateText(text, separators, today));
        if (!inCalendarRange(stepSlot(clock, unit, count, from, text, separators).local))
            std::abort();
    } catch (const RuntimeError &) {
    }
    return 0;
}
