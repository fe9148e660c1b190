#pragma once

#include <QString>

class QWidget;

namespace ventaro {

class ClockFace;

// Lets screen readers reach the clock's time (the clock draws its own text,
// so it brings its own accessible face) and read the window as a window.
// Installed once per program.
void installAccessibility();

// Keeps what the window says in words, which sighted users read in colour
// and tool tips, in the accessible description of the control it belongs
// to: the activation box carries its outlook or warning, the window the
// last starts. Only a change is passed on.
void describeForScreenReaders(QWidget *activate, const QString &outlook, bool warning, QWidget *window,
                              const QString &runs);

// A step button says where it moved the activation time, so that the new
// time is heard as the button is pressed.
void announceStep(QWidget *button, const QString &activation);

} // namespace ventaro
