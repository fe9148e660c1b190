#include "window/flat_button.h"

#include <QPainter>

#include "window/look.h"

namespace ventaro {

FlatButton::FlatButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setAttribute(Qt::WA_Hover);
}

void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ButtonColours colours = buttonColours(hasFocus(), isDown(), underMouse());
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(colours.edge);
    painter.setBrush(colours.face);
    painter.drawRoundedRect(face, 2, 2);
    // Plus and minus are drawn as two-pixel bars, as bold as a bold glyph
    // without loading a bold font for two characters.
    const QString caption = text();
    if (caption == QLatin1String("+") || caption == QLatin1String("-")) {
        const QPointF centre = face.center();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(centre.x() - 3.5, centre.y() - 1, 7, 2), colours.text);
        if (caption == QLatin1String("+"))
            painter.fillRect(QRectF(centre.x() - 1, centre.y() - 3.5, 2, 7), colours.text);
        return;
    }
    painter.setPen(colours.text);
    painter.drawText(rect(), Qt::AlignCenter, caption);
}

} // namespace ventaro
