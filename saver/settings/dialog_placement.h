#pragma once
// Where the settings dialog opens: centred across the screen and a third of the free height
// down, computed in twips as the dialog always has.

namespace qv {

struct TwipsPosition {
    long left = 0;
    long top = 0;
};

// Sizes in twips. Each difference is rounded to a whole number (halves to even) before the
// integer division, so the result matches the form's own twips arithmetic.
TwipsPosition DialogPosition(double screenWidth, double screenHeight, double windowWidth,
                             double windowHeight);

}  // namespace qv
