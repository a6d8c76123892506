#include "saver/controls/button_palette.h"

namespace qv::controls {

const ButtonPalette& StandardButtonPalette() {
    static const ButtonPalette palette = [] {
        const Colour blue = Rgb(0, 60, 116);
        ButtonPalette p{};
        p.outerBorder = {Rgb(201, 199, 186), blue, blue, blue, blue};
        p.topLine1 = {0, Rgb(255, 255, 255), Rgb(206, 231, 255), Rgb(255, 243, 206), 0};
        p.topLine2 = {0, Rgb(254, 254, 254), Rgb(189, 215, 247), Rgb(255, 219, 140), 0};
        p.bottomLine2 = {0, Rgb(226, 223, 214), Rgb(140, 174, 231), Rgb(255, 178, 49), 0};
        p.bottomLine1 = {0, Rgb(214, 208, 197), Rgb(107, 130, 239), Rgb(230, 150, 0), 0};
        const Colour outer = Rgb(33, 85, 132), edge = Rgb(123, 150, 173), inner = Rgb(82, 125, 165);
        p.cornerOuter = {Rgb(196, 177, 140), outer, outer, outer, outer};
        p.cornerEdge = {Rgb(206, 199, 189), edge, edge, edge, edge};
        p.cornerInner = {Rgb(196, 177, 140), inner, inner, inner, inner};
        p.ringTop = {0, Rgb(252, 252, 251), Rgb(189, 211, 247), Rgb(225, 223, 156), 0};
        p.ringBottom = {0, Rgb(236, 235, 230), Rgb(140, 174, 231), Rgb(255, 182, 48), 0};
        return p;
    }();
    return palette;
}

}  // namespace qv::controls
