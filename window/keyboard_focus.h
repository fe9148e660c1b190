#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QColor>
#include <QPointer>
#include <QWidget>

class QButtonGroup;

namespace ventaro {

// Tab moves through the widgets in the order given; the option buttons of
// the group are one stop, as a group of options has always been: the chosen
// one, or the first when none is chosen. Arrow keys move within the group.
void orderTabs(const std::vector<QWidget *> &order, QButtonGroup *options);

// From anywhere in the window: the context-menu key and Shift+F10 open the
// menu, F1 tells the status.
void addWindowKeys(QWidget *window, const std::function<void()> &openMenu, const std::function<void()> &showStatus);

// While armed, the keyboard reaches only what can be seen: the focus rests
// on the window itself (so the menu keys still open its menu) and the
// controls outside the strip leave the Tab chain. Release puts back the
// focus where it was.
class ArmedFocus final
{
public:
    explicit ArmedFocus(QWidget *window);

    void arm(const std::vector<QWidget *> &hidden);
    void release();

private:
    QWidget *window_;
    QPointer<QWidget> before_;
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> saved_;
    Qt::FocusPolicy windowPolicy_ = Qt::NoFocus;
    bool armed_ = false;
};

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
// dark panel and on a white box alike. Buttons show focus by their face.
class FocusRing final : public QWidget
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
};

} // namespace ventaro
