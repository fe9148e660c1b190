#include "fakes.h"

#include "schedule/runtime_error.h"

namespace ventaro::test {

FakeClock::FakeClock(const QString &reading)
{
    set(reading);
}

void FakeClock::set(const QString &reading)
{
    // Kept in UTC: the reading's fields are taken as they are, with no zone rules.
    now_ = QDateTime(QDate::fromString(reading.left(10), QStringLiteral("yyyy/MM/dd")),
                     QTime::fromString(reading.mid(11), QStringLiteral("HH:mm:ss.zzz")),
                     Qt::UTC);
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

qint64 FakeLauncher::launch(const QString &commandLine)
{
    if (!failWith.isEmpty())
        throw RuntimeError(failWith);
    started << commandLine;
    return 1000 + started.size();
}

QString FakeView::activateText() const { return activate; }
void FakeView::setActivateText(const QString &text) { activate = text; }
bool FakeView::activateEnabled() const { return enabled; }
void FakeView::setActivateEnabled(bool value) { enabled = value; }
QString FakeView::intervalText() const { return interval; }
QString FakeView::commandText() const { return command; }
void FakeView::setClockCaption(const QString &text) { clock = text; }
void FakeView::setHeightTwips(int value) { height = value; }
void FakeView::showMessage(const QString &message) { messages << message; }

bool FakeView::optionSelected(RepeatOption option) const
{
    const auto it = options.find(option);
    return it != options.end() && it->second;
}

void FakeView::select(RepeatOption option)
{
    options.clear();
    options[option] = true;
}

} // namespace ventaro::test
