#pragma once
// The push button's colours, one column per visual state.
#include <array>

#include "saver/controls/colour_math.h"

namespace qv::controls {

enum ButtonState : int {
    StateDisabled = 0,
    StateNormal = 1,
    StateFocused = 2,
    StateHot = 3,
    StatePressed = 4,
};

constexpr int kButtonStateCount = 5;

struct ButtonPalette {
    using Row = std::array<Colour, kButtonStateCount>;
    Row outerBorder;
    Row topLine1;
    Row topLine2;
    Row bottomLine2;
    Row bottomLine1;
    Row cornerOuter;
    Row cornerEdge;
    Row cornerInner;
    Row ringTop;
    Row ringBottom;
};

// The palette every button uses (unused entries are 0).
const ButtonPalette& StandardButtonPalette();

// Fixed colours of the face and caption.
inline constexpr Colour kFaceTop = Rgb(252, 252, 251);
inline constexpr Colour kFaceBottom = Rgb(236, 235, 230);
inline constexpr Colour kDisabledFace = Rgb(245, 244, 234);
inline constexpr Colour kPressedFace = Rgb(231, 227, 222);
inline constexpr Colour kDisabledText = Rgb(161, 161, 146);

}  // namespace qv::controls
