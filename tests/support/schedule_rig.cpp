#include "schedule_rig.h"

#include "schedule/option_table.h"

namespace ventaro::test {

WindowHands::WindowHands(ScheduleController &controller, Runs &runs, FakeView &view, FakeLauncher &launcher)
    : controller_(controller)
    , runs_(runs)
    , view_(view)
    , launcher_(launcher)
{
    QObject::connect(&controller_, &ScheduleController::changed, &controller_,
                     [this](const ScheduleState &state) { view_.apply(state); });
}

void WindowHands::Form_Load() { controller_.Form_Load(view_.fields()); }
void WindowHands::Timer1_Timer() { controller_.Timer1_Timer(view_.fields()); }
// A button of no unit (there is none) changes nothing.
void WindowHands::plus_Click(int index)
{
    if (const std::optional<Unit> unit = unitOfStepIndex(index))
        controller_.plus_Click(*unit, view_.fields());
}

void WindowHands::minus_Click(int index)
{
    if (const std::optional<Unit> unit = unitOfStepIndex(index))
        controller_.minus_Click(*unit, view_.fields());
}
void WindowHands::reset_Click() { controller_.reset_Click(view_.fields()); }
void WindowHands::set_Click() { controller_.set_Click(view_.fields()); }
void WindowHands::release_Click() { controller_.release_Click(view_.fields()); }
void WindowHands::runNow() { controller_.runNow(view_.fields()); }
void WindowHands::edited() { controller_.edited(view_.fields()); }
void WindowHands::armGiven(bool restored) { controller_.armGiven(view_.fields(), restored); }
void WindowHands::startedBefore(const QString &activation) { controller_.startedBefore(activation); }
bool WindowHands::stop(qint64 pid) { return runs_.stop(pid); }
void WindowHands::processEnded(const ChildExit &exit) { launcher_.end(exit); }
void WindowHands::processOutput(qint64 pid, QByteArrayView bytes) { launcher_.write(pid, bytes); }
void WindowHands::noticeClosed(const QString &key) { runs_.noticeClosed(key); }
std::optional<qint64> WindowHands::runOfNotice(const QString &key) const { return runs_.runOfNotice(key); }
bool WindowHands::armed() const { return controller_.armed(); }
QString WindowHands::startTime() const { return controller_.startTime(); }
const RunHistory &WindowHands::history() const { return runs_.history(); }

ActivationOutlook WindowHands::outlook()
{
    edited();
    return controller_.state().outlook;
}

QString WindowHands::windowName()
{
    edited();
    return controller_.state().windowName;
}

GivenSchedule WindowHands::given(const QString &autostart)
{
    edited();
    GivenSchedule kept = controller_.state().kept;
    kept.autostart = autostart;
    return kept;
}

ScheduleRig::ScheduleRig(const QByteArray &zone, const QString &load)
    : clock(load, zone)
{
    controller.Form_Load();
    view.command = QStringLiteral("/bin/true");
    launcher.clock = &clock;
    runs.keepAwakeBy(inhibitor);
}

void ScheduleRig::tickAt(const QString &reading)
{
    clock.set(reading);
    controller.Timer1_Timer();
}

void ScheduleRig::tickAtTime(const QString &time)
{
    tickAt(time.size() > 12 ? time : QStringLiteral("2024/05/17 ") + time);
}

QString day(const QString &time)
{
    return QStringLiteral("2024/05/17 ") + time;
}

ProgramOptions optionsOf(const QStringList &words)
{
    std::vector<QByteArray> bytes{"ventaro"};
    for (const QString &word : words)
        bytes.push_back(word.toUtf8().replace("<FF>", "\xff"));
    std::vector<char *> argv;
    for (QByteArray &word : bytes)
        argv.push_back(word.data());
    return readArguments(int(argv.size()), argv.data(), commandLineOptions());
}

} // namespace ventaro::test
