#include "window/form1_controls.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/clock_face.h"
#include "window/command_box.h"
#include "window/control_table.h"
#include "window/flat_button.h"
#include "window/look.h"

namespace ventaro {

namespace {

void applyLook(QWidget *widget, const ControlPlacement &control)
{
    switch (control.look) {
    case ControlLook::Default:
        break;
    case ControlLook::Panel:
        widget->setAutoFillBackground(true);
        // The round indicator of an option keeps its light face.
        widget->setPalette(control.kind == ControlKind::OptionButton ? optionPalette() : panelPalette());
        break;
    case ControlLook::PanelFixed:
        widget->setPalette(panelPalette());
        widget->setAutoFillBackground(true);
        widget->setFont(fixedFont());
        break;
    case ControlLook::Fixed:
        widget->setFont(fixedFont());
        break;
    }
}

class Factory
{
public:
    Factory(Form1Controls &controls, QWidget *window, QObject *buttonKeys)
        : c_(controls)
        , window_(window)
        , buttonKeys_(buttonKeys)
    {
    }

    QWidget *create(const ControlPlacement &control)
    {
        switch (control.kind) {
        case ControlKind::PushButton: return button(control);
        case ControlKind::TextBox: return textBox(control);
        case ControlKind::MultiLineTextBox: return commandBox(control);
        case ControlKind::OptionButton: return option(control);
        case ControlKind::Label: return label(control);
        case ControlKind::Image: return image(control);
        }
        return nullptr;
    }

private:
    QWidget *button(const ControlPlacement &control)
    {
        auto *button = new FlatButton(QString::fromLatin1(control.caption), c_.client);
        button->setAutoDefault(false);
        button->installEventFilter(buttonKeys_);
        if (const std::optional<StepButton> step = stepButton(control.id))
            (step->plus ? c_.plus : c_.minus)[std::size_t(step->unit)] = button;
        else
            c_.reset = button;
        return button;
    }

    QWidget *textBox(const ControlPlacement &control)
    {
        auto *edit = new QLineEdit(QString::fromLatin1(control.caption), c_.client);
        // A timestamp and a count: a long paste is cut short rather than read
        // again at every key and step.
        edit->setMaxLength(kShortBoxLength);
        // Only the command box takes drops: a file dropped a little off it
        // must not become the activation time or the count.
        edit->setAcceptDrops(false);
        if (control.id == ControlId::Activate) {
            c_.activate = edit;
            edit->setFrame(false);
            // Text at the top keeps it clear of the buttons below and whole in
            // the compact strip.
            edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        } else {
            c_.interval = edit;
        }
        return edit;
    }

    QWidget *commandBox(const ControlPlacement &control)
    {
        c_.command = new CommandBox(QString::fromLatin1(control.caption), c_.client);
        c_.command->setPalette(boxPalette());
        c_.command->setTabChangesFocus(true);
        return c_.command;
    }

    QWidget *option(const ControlPlacement &control)
    {
        auto *option = new QRadioButton(QString::fromLatin1(control.caption), c_.client);
        c_.options->addButton(option);
        c_.Option[std::size_t(optionUnit(control.id).value())] = option;
        return option;
    }

    QWidget *label(const ControlPlacement &control)
    {
        if (control.id == ControlId::Clock) {
            c_.clock = new ClockFace(c_.client);
            return c_.clock;
        }
        auto *label = new QLabel(QString::fromLatin1(control.caption), c_.client);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        switch (control.id) {
        case ControlId::Label1: c_.Label1 = label; break;
        case ControlId::Label7: c_.Label7 = label; break;
        default:
            c_.Label3 = label;
            label->setWordWrap(true);
            break;
        }
        return label;
    }

    QWidget *image(const ControlPlacement &)
    {
        c_.Image1 = new QLabel(c_.client);
        c_.Image1->setPixmap(window_->windowIcon().pixmap(QSize(32, 32)));
        c_.Image1->setScaledContents(true);
        c_.Image1->setToolTip(QCoreApplication::translate("Controls", "menu"));
        return c_.Image1;
    }

    Form1Controls &c_;
    QWidget *window_;
    QObject *buttonKeys_;
};

} // namespace

Form1Controls createForm1Controls(QWidget *window, QObject *keyPresses, QObject *buttonKeys)
{
    Form1Controls c;
    c.client = new QWidget(window);
    c.client->setObjectName(QStringLiteral("client"));
    c.client->setAutoFillBackground(true);
    c.client->setGeometry(window->rect().adjusted(1, 1, -1, -1));
    c.options = new QButtonGroup(window);
    c.options->setExclusive(true);

    Factory factory(c, window, buttonKeys);
    for (const ControlPlacement &control : controlTable()) {
        QWidget *widget = factory.create(control);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setAccessibleName(QCoreApplication::translate("Controls", control.accessibleName));
        widget->installEventFilter(keyPresses); // the keyboard's context menu
        // Controls, labels included, keep their mouse presses to themselves, so
        // only the bare surface drags the window. The activation box passes
        // them on while it is disabled, which makes the whole compact strip a
        // handle.
        if (widget != c.activate)
            widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->setGeometry(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                            twipsToPixels(control.height));
        applyLook(widget, control);
    }
    // The activation box reaches 4 pixels down over the top of the step
    // buttons; the buttons stay on top so that their captions stay whole.
    for (QPushButton *button : c.client->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly))
        button->raise();
    return c;
}

std::vector<QWidget *> tabOrder(const Form1Controls &controls)
{
    std::vector<std::pair<int, QWidget *>> order;
    for (const ControlPlacement &control : controlTable()) {
        auto *widget =
            controls.client->findChild<QWidget *>(QString::fromLatin1(control.name), Qt::FindDirectChildrenOnly);
        if (control.kind == ControlKind::Label || control.kind == ControlKind::Image)
            widget->setFocusPolicy(Qt::NoFocus);
        else
            order.emplace_back(control.tabIndex, widget);
    }
    std::sort(order.begin(), order.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<QWidget *> widgets;
    for (const auto &[index, widget] : order)
        widgets.push_back(widget);
    return widgets;
}

std::vector<QWidget *> belowStrip(const Form1Controls &controls)
{
    const int strip = twipsToPixels(kArmedHeightTwips) - 2;
    std::vector<QWidget *> hidden;
    for (const ControlPlacement &control : controlTable()) {
        if (twipsToPixels(control.top) >= strip)
            hidden.push_back(controls.client->findChild<QWidget *>(QString::fromLatin1(control.name)));
    }
    return hidden;
}

void setHeightTwips(QWidget *window, QWidget *client, int height)
{
    // Scaled, Qt asks for resize steps of two device pixels from a base
    // size, and window managers round an odd width down to them: the base
    // is the size itself, so that it is always reached exactly.
    const QSize size(twipsToPixels(kOuterWidthTwips), twipsToPixels(height));
    window->setBaseSize(size);
    window->setFixedSize(size);
    if (client != nullptr)
        client->setGeometry(window->rect().adjusted(1, 1, -1, -1));
}

} // namespace ventaro
