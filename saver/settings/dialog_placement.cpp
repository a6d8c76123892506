#include "saver/settings/dialog_placement.h"

#include <cmath>

namespace qv {

TwipsPosition DialogPosition(double screenWidth, double screenHeight, double windowWidth,
                             double windowHeight) {
    const long freeWidth = std::lrint(screenWidth - windowWidth);
    const long freeHeight = std::lrint(screenHeight - windowHeight);
    return {freeWidth / 2, freeHeight / 3};  // C++ division truncates toward zero, like "\"
}

}  // namespace qv
