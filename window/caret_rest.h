#pragma once

#include <QObject>
#include <QTimer>

namespace ventaro {

// The text caret blinks as the desktop says (no blinking when it says so)
// and stops after ten seconds without input, left shown, as GTK does: a
// caret that blinks all night wakes the program three times a second.
class CaretRest final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaretRest)

public:
    static constexpr int kRestAfterMs = 10000;

    explicit CaretRest(QObject *parent);
    ~CaretRest() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wake();

    int desktopFlashMs_;
    QTimer rest_;
};

} // namespace ventaro
