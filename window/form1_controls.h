#pragma once

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ventaro {

class ClockFace;
class CommandBox;

// The main window's controls, by the names the control table gives them.
struct Form1Controls
{
    // The client area inside the one-pixel frame; it clips the controls
    // that lie below the compact strip.
    QWidget *client = nullptr;
    QPushButton *reset = nullptr;
    std::array<QPushButton *, 4> plus{}; // by the unit they step in
    std::array<QPushButton *, 4> minus{};
    QLineEdit *interval = nullptr;
    // Option_s, Option_n, Option_h and Option_d, by the unit they repeat in.
    std::array<QRadioButton *, 4> Option{};
    QButtonGroup *options = nullptr;
    CommandBox *command = nullptr;
    QLineEdit *activate = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label7 = nullptr;
    ClockFace *clock = nullptr;
    QLabel *Label3 = nullptr;
};

// Makes every control of the control table in the client area of window,
// placed, named and coloured as the table says; keyPresses sees every
// control's events (the keyboard's context menu), buttonKeys the buttons'.
Form1Controls createForm1Controls(QWidget *window, QObject *keyPresses, QObject *buttonKeys);

// The controls that take the focus, in rising tab index.
std::vector<QWidget *> tabOrder(const Form1Controls &controls);

// The controls below the strip.
std::vector<QWidget *> belowStrip(const Form1Controls &controls);

// Sizes the window to this height in twips, its client area with it.
void setHeightTwips(QWidget *window, QWidget *client, int height);

} // namespace ventaro
