#pragma once

#include <vector>

#include <QObject>
#include <QPointer>

class QWidget;

namespace ventaro {

// While armed, only the strip exists. The controls below it are hidden and
// disabled, so no keyboard, mouse or assistive tool reaches them; the focus
// rests on the window itself (its menu keys still work) and comes back,
// on Release, to the control that had it before Set.
class ArmedStrip final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArmedStrip)

public:
    ArmedStrip(QWidget *window, std::vector<QWidget *> below);

    // Remembers where the focus is, so call it before disabling the control
    // that may hold it.
    void arm();
    // Gives the focus back, so call it once that control is enabled again.
    void release();

private:
    QWidget *window_;
    std::vector<QWidget *> below_;
    QPointer<QWidget> before_;
    Qt::FocusPolicy windowPolicy_ = Qt::NoFocus;
    bool armed_ = false;
};

} // namespace ventaro
