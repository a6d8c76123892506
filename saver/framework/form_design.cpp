#include "saver/framework/form_design.h"

namespace qv {

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::Image:
            return "Image";
        case ControlKind::Shape:
            return "Shape";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Timer:
            return "Timer";
        case ControlKind::User:
            return "UserControl";
    }
    return "Control";
}

namespace {
ControlDesign Make(ControlKind kind, std::string name, int index) {
    ControlDesign d;
    d.kind = kind;
    d.name = std::move(name);
    d.index = index;
    return d;
}
}  // namespace

ControlDesign ControlDesign::Label(std::string name, int index) {
    ControlDesign d = Make(ControlKind::Label, std::move(name), index);
    d.tabStop = false;
    return d;
}
ControlDesign ControlDesign::Image(std::string name, int index) {
    ControlDesign d = Make(ControlKind::Image, std::move(name), index);
    d.tabStop = false;
    return d;
}
ControlDesign ControlDesign::Shape(std::string name, int index) {
    ControlDesign d = Make(ControlKind::Shape, std::move(name), index);
    d.tabStop = false;
    return d;
}
ControlDesign ControlDesign::ComboBox(std::string name, int index) {
    return Make(ControlKind::ComboBox, std::move(name), index);
}
ControlDesign ControlDesign::PictureBox(std::string name, int index) {
    ControlDesign d = Make(ControlKind::PictureBox, std::move(name), index);
    d.tabStop = false;
    return d;
}
ControlDesign ControlDesign::Timer(std::string name, int index) {
    ControlDesign d = Make(ControlKind::Timer, std::move(name), index);
    d.tabStop = false;
    return d;
}
ControlDesign ControlDesign::User(std::string name, UserControlFactory factory, int index) {
    ControlDesign d = Make(ControlKind::User, std::move(name), index);
    d.factory = std::move(factory);
    return d;
}

}  // namespace qv
