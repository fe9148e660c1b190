#pragma once

#include <span>

namespace ventaro {

enum class ControlKind { PushButton, TextBox, MultiLineTextBox, OptionButton, Label, Image };

enum class ControlLook {
    Default, // the platform's own colours and interface font
    Panel,   // dark grey background, white text, interface font
    PanelFixed, // panel colours and the fixed-pitch font
    Fixed,   // platform colours and the fixed-pitch font
};

// One control of the main window, in twips from the client area's top left.
struct ControlSpec
{
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

// Outer window and client area in twips; the program draws a one-pixel frame.
constexpr int kOuterWidthTwips = 5565;
constexpr int kOuterHeightTwips = 2340;
constexpr int kClientWidthTwips = 5535;
constexpr int kClientHeightTwips = 2310;

int twipsToPixels(int twips);

// The controls in creation order.
std::span<const ControlSpec> controlTable();

} // namespace ventaro
