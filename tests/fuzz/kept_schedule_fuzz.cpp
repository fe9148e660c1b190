// The schedule a window keeps in its login entry comes back the same: the
// fields become the entry's words, the words are read back as the next
// login reads them, and the schedule they give is the window's.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QByteArray>
#include <QList>

#include "exec_words.h"
#include "fakes.h"
#include "platform/autostart_entry.h"
#include "platform/program_options.h"
#include "schedule/given_schedule.h"
#include "schedule/option_table.h"
#include "schedule/repeat_count.h"
#include "schedule/runtime_error.h"
#include "schedule/timestamp.h"

namespace {

std::optional<ventaro::Repeat> repeatOf(std::optional<ventaro::Unit> unit, const QString &count)
{
    if (!unit)
        return std::nullopt;
    const auto repeat = ventaro::usableRepeat(*unit, count);
    return repeat ? std::optional(*repeat) : std::nullopt;
}

bool exact(const QString &text)
{
    try {
        return ventaro::timestampText(ventaro::readDateText(text, {}, QDate(2024, 5, 17)), {}) == text;
    } catch (const ventaro::RuntimeError &) {
        return false;
    }
}

} // namespace

// Input: activation, count, command and a last part whose bytes choose the
// unit, the options and whether it is armed, separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ventaro::test::FakeClock clock(QStringLiteral("2024/05/17 21:40:00.300"));
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    if (parts.size() != 4 || parts[3].isEmpty())
        return 0;
    const auto choice = static_cast<unsigned char>(parts[3][0]);
    ventaro::ScheduleFields fields{QString::fromUtf8(parts[0]), QString::fromUtf8(parts[1]), std::nullopt,
                                   QString::fromUtf8(parts[2]), {bool(choice & 8), bool(choice & 16)}};
    if (choice & 4)
        fields.unit = ventaro::Unit(choice & 3);
    const bool armed = choice & 32;
    // A text that is no exact timestamp is never armed with a time to come.
    if (!exact(fields.activation))
        return 0;
    ventaro::GivenSchedule kept = ventaro::keptSchedule(fields, armed, false);
    kept.autostart = QStringLiteral("x1");
    const QStringList words = ventaro::givenScheduleWords(kept);
    if (ventaro::AutostartEntry::unwritable(words))
        return 0; // refused when written
    std::vector<QByteArray> again{"ventaro"};
    for (const QString &word : ventaro::test::execWords(ventaro::AutostartEntry::execValue("ventaro", words)).mid(1))
        again.push_back(word.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &word : again)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const ventaro::ReadSchedule back = ventaro::readGivenSchedule(
        ventaro::readArguments(int(argv.size()) - 1, argv.data(), ventaro::commandLineOptions()), clock, {});
    const auto had = repeatOf(fields.unit, fields.count);
    const auto got = repeatOf(back.schedule.unit, back.schedule.count.value_or(QString()));
    const bool sameRepeat = had.has_value() == got.has_value() && (!had || (had->unit == got->unit && had->count == got->count));
    if (!back.problem.isEmpty() || back.schedule.activation != fields.activation || !sameRepeat
        || back.schedule.command.value_or(QString()) != fields.command || back.schedule.options != fields.options
        || back.schedule.set != armed)
        std::abort();
    return 0;
}
