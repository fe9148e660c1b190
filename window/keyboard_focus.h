#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QColor>
#include <QPointer>
#include <QFocusFrame>
#include <QWidget>

class QButtonGroup;

namespace ventaro {

// Tab moves through the widgets in the order given; the option buttons of
// the group are one stop, so that Tab reaches the control after them in one
// press: the stop is the chosen one, or the first when none is chosen. Arrow
// keys move within the group.
void orderTabs(const std::vector<QWidget *> &order, QButtonGroup *options);

// From anywhere in the window: the context-menu key and Shift+F10 open the
// menu, F1 tells the status.
void addWindowKeys(QWidget *window, const std::function<void()> &openMenu, const std::function<void()> &showStatus);

// Return and Enter press a focused push button, as Space does. Installed
// as an event filter on the buttons.
class ReturnPresses final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReturnPresses)

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// A focus ring drawn over the focused box or option of its parent: a yellow
// outer and a black inner line, so that it stands out at least 3:1 on the
// dark panel and on a white box alike. Buttons show focus by their face. A
// focus frame is no accessible object, and it is never hidden (only drawn
// empty), so screen readers hear nothing of it.
class FocusRing final : public QFocusFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FocusRing)

public:
    static const QColor kOuter;
    static const QColor kInner;

    explicit FocusRing(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focused);
    QRect visiblePart(const QWidget *focused) const;

    bool ringed_ = false;
};

} // namespace ventaro
