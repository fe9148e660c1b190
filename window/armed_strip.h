#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QWidget;

namespace ventaro {

class CommandBox;

// While armed, only the strip exists. The controls below it are hidden and
// disabled, so no keyboard, mouse or assistive tool reaches them; the focus
// rests on the window itself (its menu keys still work) and comes back,
// on Release, to the control that had it before Set. And nothing but the
// schedule itself changes the schedule: any other change to the activation
// time, the command, the count or the unit is undone at once, whoever made
// it.
class ArmedStrip final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArmedStrip)

public:
    struct Schedule
    {
        QLineEdit *activate;
        QLineEdit *interval;
        CommandBox *command;
        QButtonGroup *options;
    };

    ArmedStrip(QWidget *window, std::vector<QWidget *> below, Schedule schedule);

    // Call before anything else changes on Set: the focus is remembered first.
    void arm();
    void release();
    // The schedule's own change of the activation time, kept while armed.
    void write(const std::function<void()> &change);

private:
    void keep();
    QAbstractButton *chosen() const;

    QWidget *window_;
    std::vector<QWidget *> below_;
    Schedule schedule_;
    QPointer<QWidget> before_;
    Qt::FocusPolicy windowPolicy_ = Qt::NoFocus;
    bool armed_ = false;
    bool restoring_ = false;

    // What the schedule was when armed.
    QString activate_;
    QString interval_;
    QString command_;
    QAbstractButton *option_ = nullptr;
};

} // namespace ventaro
