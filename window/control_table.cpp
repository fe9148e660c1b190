#include "window/control_table.h"

#include <array>

#include <QtGlobal>

namespace ventaro {

namespace {

using I = ControlId;
using K = ControlKind;
using L = ControlLook;

// clang-format off
constexpr std::array kControls = {
//          id            name        kind                 caption                left   top  width height tab  look  spoken name
    ControlPlacement{I::Reset,     "reset",    K::PushButton,       "Reset",               3600,  240,  615,  375, 19, L::Default, QT_TRANSLATE_NOOP("Controls", "Reset to the start time")},
    ControlPlacement{I::Plus3,     "plus_3",   K::PushButton,       "+",                   4275,  240,  255,  180, 16, L::Default, QT_TRANSLATE_NOOP("Controls", "Plus one day")},
    ControlPlacement{I::Plus2,     "plus_2",   K::PushButton,       "+",                   4545,  240,  255,  180, 15, L::Default, QT_TRANSLATE_NOOP("Controls", "Plus one hour")},
    ControlPlacement{I::Plus1,     "plus_1",   K::PushButton,       "+",                   4815,  240,  255,  180, 14, L::Default, QT_TRANSLATE_NOOP("Controls", "Plus one minute")},
    ControlPlacement{I::Plus0,     "plus_0",   K::PushButton,       "+",                   5085,  240,  255,  180, 13, L::Default, QT_TRANSLATE_NOOP("Controls", "Plus one second")},
    ControlPlacement{I::Minus3,    "minus_3",  K::PushButton,       "-",                   4275,  435,  255,  180, 12, L::Default, QT_TRANSLATE_NOOP("Controls", "Minus one day")},
    ControlPlacement{I::Minus2,    "minus_2",  K::PushButton,       "-",                   4545,  435,  255,  180, 11, L::Default, QT_TRANSLATE_NOOP("Controls", "Minus one hour")},
    ControlPlacement{I::Minus1,    "minus_1",  K::PushButton,       "-",                   4815,  435,  255,  180, 10, L::Default, QT_TRANSLATE_NOOP("Controls", "Minus one minute")},
    ControlPlacement{I::Minus0,    "minus_0",  K::PushButton,       "-",                   5085,  435,  255,  180,  9, L::Default, QT_TRANSLATE_NOOP("Controls", "Minus one second")},
    ControlPlacement{I::Interval,  "interval", K::TextBox,          "",                    1080, 1680,  375,  270,  7, L::Fixed, QT_TRANSLATE_NOOP("Controls", "Repeat count")},
    ControlPlacement{I::OptionS,   "Option_s", K::OptionButton,     "Seconds After",       1560, 2040, 1455,  255,  6, L::Panel, QT_TRANSLATE_NOOP("Controls", "Seconds After, repeat in seconds")},
    ControlPlacement{I::OptionN,   "Option_n", K::OptionButton,     "Minutes After",       1560, 1800, 1455,  255,  5, L::Panel, QT_TRANSLATE_NOOP("Controls", "Minutes After, repeat in minutes")},
    ControlPlacement{I::OptionH,   "Option_h", K::OptionButton,     "Hours After",         1560, 1560, 1455,  255,  4, L::Panel, QT_TRANSLATE_NOOP("Controls", "Hours After, repeat in hours")},
    ControlPlacement{I::OptionD,   "Option_d", K::OptionButton,     "Days After",          1560, 1320, 1455,  255,  3, L::Panel, QT_TRANSLATE_NOOP("Controls", "Days After, repeat in days")},
    ControlPlacement{I::Command,   "command",  K::MultiLineTextBox, "",                    1080,  720, 4275,  495,  1, L::Default, QT_TRANSLATE_NOOP("Controls", "Command line")},
    ControlPlacement{I::Activate,  "activate", K::TextBox,          "yyyy/mm/dd hh:mi:ss", 3600,   30, 1815,  270,  0, L::PanelFixed, QT_TRANSLATE_NOOP("Controls", "Next activation time")},
    ControlPlacement{I::Label1,    "Label1",   K::Label,            "VENTARO@",            2400,   30, 1215,  255, 18, L::Panel, "VENTARO@"},
    ControlPlacement{I::Image1,    "Image1",   K::Image,            "",                     120,    0,  240,  240, -1, L::Default, QT_TRANSLATE_NOOP("Controls", "menu")},
    ControlPlacement{I::Label7,    "Label7",   K::Label,            "Command",              240,  840,  855,  255, 17, L::Panel, "Command"},
    ControlPlacement{I::Clock,     "clock",    K::Label,            "",                     360,   30, 1935,  255,  8, L::PanelFixed, QT_TRANSLATE_NOOP("Controls", "Current time")},
    ControlPlacement{I::Label3,    "Label3",   K::Label,            "Next Activate",        240, 1620,  735,  495,  2, L::Panel, "Next Activate"},
};
// clang-format on

} // namespace

int twipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

std::span<const ControlPlacement> controlTable()
{
    return kControls;
}

std::optional<StepButton> stepButton(ControlId id)
{
    switch (id) {
    case I::Plus0: return StepButton{Unit::Seconds, true};
    case I::Plus1: return StepButton{Unit::Minutes, true};
    case I::Plus2: return StepButton{Unit::Hours, true};
    case I::Plus3: return StepButton{Unit::Days, true};
    case I::Minus0: return StepButton{Unit::Seconds, false};
    case I::Minus1: return StepButton{Unit::Minutes, false};
    case I::Minus2: return StepButton{Unit::Hours, false};
    case I::Minus3: return StepButton{Unit::Days, false};
    default: return std::nullopt;
    }
}

std::optional<Unit> optionUnit(ControlId id)
{
    switch (id) {
    case I::OptionS: return Unit::Seconds;
    case I::OptionN: return Unit::Minutes;
    case I::OptionH: return Unit::Hours;
    case I::OptionD: return Unit::Days;
    default: return std::nullopt;
    }
}

} // namespace ventaro
