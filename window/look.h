#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

class QPainter;
class QWidget;

namespace ventaro {

inline const QColor kPanelBackground(64, 64, 64);
inline const QColor kPanelText(Qt::white);
inline const QColor kDisabledPanelText(200, 200, 200);
inline const QColor kFrame(150, 150, 150);
// The activation text when it can never fire: readable on the dark panel,
// enabled or not.
inline const QColor kWarningText(255, 176, 0);

// The fixed-pitch font of the clock, the activation time and the count.
QFont fixedFont();
// The interface font near the 11-pixel size the window is laid out for.
QFont interfaceFont();
// The faces of the small buttons by state.
struct ButtonColours
{
    QColor face;
    QColor edge;
    QColor text;
};
ButtonColours buttonColours(bool focused, bool pressed, bool hovered);
// The yellow bolt, from the sizes rendered into the program.
QIcon boltIcon();

// The window's own colours for every role and state, so that a desktop
// theme (a dark one included) never turns a box or an option circle into
// the panel's grey: white boxes with black text, light buttons, and the
// dark panel behind them.
QPalette windowPalette();
// The light boxes, their scroll bars included.
QPalette boxPalette();
// Dark grey with white text, for the labels, options and the activation box.
QPalette panelPalette();
// The same with the usual light face for the round option indicators.
QPalette optionPalette();

// The one-pixel frame, along the outermost device pixels at any scale: as
// many device pixels wide as whole device pixels fit in one of ours.
void paintFrame(QPainter &painter, const QWidget &widget);

} // namespace ventaro
