#pragma once

#include <optional>
#include <span>

#include "schedule/unit.h"

namespace ventaro {

enum class ControlKind { PushButton, TextBox, MultiLineTextBox, OptionButton, Label, Image };

// Every control of the main window. The step buttons carry their index in
// their name: Plus0 steps seconds, Plus3 days.
enum class ControlId {
    Reset,
    Plus3, Plus2, Plus1, Plus0,
    Minus3, Minus2, Minus1, Minus0,
    Interval,
    OptionS, OptionN, OptionH, OptionD,
    Command,
    Activate,
    Label1,
    Image1,
    Label7,
    Clock,
    Label3,
};

enum class ControlLook {
    Default, // the platform's own colours and interface font
    Panel,   // dark grey background, white text, interface font
    PanelFixed, // panel colours and the fixed-pitch font
    Fixed,   // platform colours and the fixed-pitch font
};

// One control of the main window, in twips from the client area's top left.
struct ControlPlacement
{
    ControlId id;
    const char *name; // objectName; array elements are "plus_3", "minus_0", ...
    ControlKind kind;
    const char *caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex; // -1: never takes the focus
    ControlLook look;
    const char *accessibleName; // what a screen reader says
};

constexpr int kTwipsPerPixel = 15;

// The window's height in twips: armed, only the strip with the clock and
// the activation time; otherwise all of it.
constexpr int kArmedHeightTwips = 270;
constexpr int kFullHeightTwips = 2340;

// The outer window is 5565 twips wide, the client area inside the program's
// one-pixel frame 5535.
constexpr int kOuterWidthTwips = 5565;

// The activation and count boxes hold at most this many characters.
constexpr int kShortBoxLength = 256;

int twipsToPixels(int twips);

// The controls in creation order.
std::span<const ControlPlacement> controlTable();

// A step button's unit and direction.
struct StepButton
{
    Unit unit = Unit::Seconds;
    bool plus = true;
};
std::optional<StepButton> stepButton(ControlId id);

// The unit a repeat option repeats in.
std::optional<Unit> optionUnit(ControlId id);

} // namespace ventaro
