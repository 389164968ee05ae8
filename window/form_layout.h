// The window as it was drawn: every control's kind, caption and place, in
// twips (1/1440 inch), and what a click on each button runs. Each toolkit
// builds its window from this table alone.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "commands/commands.h"

namespace brevorn::form {

inline constexpr int kTwipsPerInch = 1440;

inline constexpr std::string_view kCaption = "Quillane";
inline constexpr int kClientWidth = 4680;
inline constexpr int kClientHeight = 1680;

// The widest text the answer box must show without scrolling.
inline constexpr std::string_view kWidestAnswer = "H=240, W=352";

enum class Kind { label, textBox, button };

// Across its area, a control's text is centred or left where its toolkit puts it.
enum class Align { centred, toolkitDefault };

struct Twips {
    int left, top, width, height;
};

enum class Id {
    lblHeight,
    lblWidth,
    txtHeight,
    txtWidth,
    equils,
    txtOutput,
    cmdGo,
    lblVCDNorm,
    cmdInfo
};

struct Control {
    Id id;
    std::string_view name;
    Kind kind;
    std::string_view caption;  // text boxes start empty
    Twips area;
    int tabIndex;
    Align align;
    Command click = nullptr;  // buttons alone
};

inline constexpr std::array<Control, 9> kControls{{
    {Id::lblHeight, "lblHeight", Kind::label, "Height", {120, 120, 1215, 255}, 5, Align::centred},
    {Id::lblWidth, "lblWidth", Kind::label, "Width", {1440, 120, 1215, 375}, 6, Align::centred},
    {Id::txtHeight, "txtHeight", Kind::textBox, "", {120, 360, 1215, 285}, 0, Align::centred},
    {Id::txtWidth, "txtWidth", Kind::textBox, "", {1440, 360, 1215, 285}, 1, Align::centred},
    {Id::equils, "equils", Kind::label, "=", {2760, 360, 495, 255}, 4, Align::centred},
    {Id::txtOutput, "txtOutput", Kind::textBox, "", {3240, 360, 1335, 285}, 3, Align::centred},
    {Id::cmdGo,
     "cmdGo",
     Kind::button,
     "Calculate",
     {120, 720, 4455, 375},
     2,
     Align::toolkitDefault,
     cmdGo_Click},
    {Id::lblVCDNorm,
     "lblVCDNorm",
     Kind::label,
     "VCD Norm is H=240, W=352",
     {240, 1200, 4335, 255},
     7,
     Align::centred},
    {Id::cmdInfo,
     "cmdInfo",
     Kind::button,
     "Info",
     {4080, 1200, 495, 375},
     8,
     Align::toolkitDefault,
     cmdInfo_Click},
}};

constexpr const Control& control(Id id) {
    return *std::ranges::find(kControls, id, &Control::id);
}

// The control behind each box the commands name.
constexpr Id idOf(TextBox box) {
    switch (box) {
        case TextBox::txtHeight:
            return Id::txtHeight;
        case TextBox::txtWidth:
            return Id::txtWidth;
        case TextBox::txtOutput:
            break;
    }
    return Id::txtOutput;
}

static_assert(
    std::ranges::all_of(std::array{TextBox::txtHeight, TextBox::txtWidth, TextBox::txtOutput},
                        [](TextBox box) { return control(idOf(box)).kind == Kind::textBox; }));

// What assistive technology calls each text box: the caption of the label
// above it, or a name of its own where no label names it.
struct BoxName {
    Id box;
    std::optional<Id> label;
    std::string_view own;

    constexpr std::string_view name() const {
        return label.has_value() ? control(*label).caption : own;
    }
};

inline constexpr std::array<BoxName, 3> kBoxNames{{
    {Id::txtHeight, Id::lblHeight, {}},
    {Id::txtWidth, Id::lblWidth, {}},
    {Id::txtOutput, std::nullopt, "Answer"},
}};

// Labels never take the focus; the keyboard visits the rest by tab index.
constexpr bool takesFocus(const Control& c) {
    return c.kind != Kind::label;
}

inline constexpr std::array<Control, kControls.size()> kTabOrder = [] {
    auto sorted = kControls;
    std::ranges::sort(sorted, {}, &Control::tabIndex);
    return sorted;
}();

}  // namespace brevorn::form
