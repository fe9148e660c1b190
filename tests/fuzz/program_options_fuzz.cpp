// libFuzzer target: the program's arguments (the input split at NUL bytes)
// read into a schedule; whatever is accepted comes back as the same schedule
// through the login entry it would write, as a desktop reads its Exec.
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

namespace {

ventaro::ReadSchedule readWords(std::vector<QByteArray> words, const ventaro::Clock &clock)
{
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return ventaro::readGivenSchedule(ventaro::readArguments(int(argv.size()) - 1, argv.data(), ventaro::commandLineOptions()), clock, {});
}

bool same(const ventaro::GivenSchedule &a, const ventaro::GivenSchedule &b)
{
    return a.activation == b.activation && a.count == b.count && a.unit == b.unit && a.command == b.command
        && a.set == b.set && a.options == b.options && a.autostart == b.autostart;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ventaro::test::FakeClock clock(QStringLiteral("2024/05/17 21:40:00.300"));
    std::vector<QByteArray> words{"ventaro"};
    for (const QByteArray &word : QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0'))
        words.push_back(word);
    const ventaro::ReadSchedule read = readWords(words, clock);
    if (!read.problem.isEmpty() || !ventaro::AutostartEntry::validId(read.schedule.autostart.isEmpty()
                                                                         ? QStringLiteral("x")
                                                                         : read.schedule.autostart))
        return 0;
    const QStringList given = ventaro::givenScheduleWords(read.schedule);
    if (ventaro::AutostartEntry::unwritable(given))
        return 0; // refused when written
    std::vector<QByteArray> again;
    for (const QString &word : ventaro::test::execWords(ventaro::AutostartEntry::execValue("ventaro", given)))
        again.push_back(word.toUtf8());
    const ventaro::ReadSchedule back = readWords(again, clock);
    if (!back.problem.isEmpty() || !same(read.schedule, back.schedule))
        std::abort();
    return 0;
}
