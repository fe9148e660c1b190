#include "window/accessibility.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QWidget>

#include "window/clock_face.h"
#include "window/form1.h"

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Spoken
{
    Q_DECLARE_TR_FUNCTIONS(Spoken)
};

} // namespace

namespace {

// The clock read as text: its time is its name, read when asked and never
// announced at each second; what it is, its description. (Qt's clock role
// reaches AT-SPI as an unknown object.)
class ClockAccessible final : public QAccessibleWidget
{
public:
    explicit ClockAccessible(ClockFace *clock)
        : QAccessibleWidget(clock, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<ClockFace *>(widget())->text();
        if (t == QAccessible::Description)
            return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

// The icon is the menu's button: a screen reader (or any assistive tool,
// where there is no keyboard to press the menu key with) presses it to open
// the menu at the icon, as the menu key does.
class IconAccessible final : public QAccessibleWidget
{
public:
    explicit IconAccessible(QWidget *icon)
        : QAccessibleWidget(icon, QAccessible::ButtonMenu)
    {
    }

    QStringList actionNames() const override
    {
        return {showMenuAction()};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != showMenuAction())
            return;
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(widget()->window(), &request);
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    if (object->objectName() == QLatin1String("Image1"))
        return new IconAccessible(static_cast<QWidget *>(object));
    if (className == QLatin1String(ClockFace::staticMetaObject.className()))
        return new ClockAccessible(static_cast<ClockFace *>(object));
    // A plain top-level widget would be read as an anonymous filler.
    if (className == QLatin1String(Form1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

void describe(QWidget *widget, const QString &text)
{
    if (widget->accessibleDescription() != text)
        widget->setAccessibleDescription(text);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceStep(QWidget *button, const QString &activation)
{
    describe(button, Spoken::tr("Next activation %1").arg(activation));
}

void describeForScreenReaders(QWidget *activate, const QString &outlook, bool warning, QWidget *window,
                              const QString &runs)
{
    describe(activate, warning ? Spoken::tr("Warning: %1").arg(outlook) : outlook);
    describe(window, runs);
}

} // namespace ventaro
