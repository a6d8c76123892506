#pragma once
// Forms are declared as data: the form's own design values and the list of its controls
// with theirs. Positions and sizes are in twips; a control inside a container control is
// placed relative to the container's top-left corner. Window-free.
//
//   qv::FormDesign d;
//   d.name = "Quorvale_R";
//   d.caption = "Preview Window";
//   d.border = qv::BorderStyle::None;
//   d.scaleMode = qv::ScaleMode::Pixels;
//   d.controls = {
//       qv::ControlDesign::Image("Img_Prev").At(0, 0, 2280, 1680).Picture(IDB_PREVIEW),
//       qv::ControlDesign::Timer("Timer1").Interval(500).Enabled(true),
//   };
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "saver/framework/colour.h"
#include "saver/framework/font_desc.h"
#include "saver/framework/property_bag.h"
#include "saver/framework/twips.h"

namespace qv {

class UserControl;

enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5
};
enum class ControlKind { Label, Image, Shape, ComboBox, PictureBox, Timer, User };
enum class Alignment { Left = 0, Right = 1, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };
enum class FillStyle { Solid = 0, Transparent = 1 };
enum class ShapeKind {
    Rectangle = 0,
    Square = 1,
    Oval = 2,
    Circle = 3,
    RoundedRectangle = 4,
    RoundedSquare = 5
};
enum class ComboStyle { DropDownCombo = 0, DropDownList = 2 };
enum class MousePointer { Default = 0, Arrow = 1, Cross = 2, IBeam = 3, Hourglass = 11, Custom = 99 };

const char* KindName(ControlKind kind);  // "Label", "Image", ...

using UserControlFactory = std::function<std::unique_ptr<UserControl>()>;

struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string name;
    int index = -1;      // -1: not part of a control array
    std::string parent;  // empty: the form; else a container control's name
    int parentIndex = -1;
    int left = 0, top = 0, width = 0, height = 0;  // twips
    bool visible = true;
    bool enabled = true;
    int tabIndex = -1;  // -1: after the controls declared before it
    bool tabStop = true;
    std::string caption;             // Label caption; ComboBox text
    std::vector<std::string> items;  // ComboBox list
    ComboStyle comboStyle = ComboStyle::DropDownCombo;
    int pictureResource = 0;  // bitmap resource for Image / PictureBox, 0 none
    bool stretch = false;     // Image
    Alignment alignment = Alignment::Left;
    BackStyle backStyle = BackStyle::Opaque;
    std::optional<Colour> backColor;  // unset: the form's back colour
    Colour foreColor = kButtonText;
    std::optional<FontDesc> font;  // unset: the form's font
    bool wordWrap = true;
    // "&" in a label caption marks an access key only when asked: captions such as file paths
    // must show their "&" as typed.
    bool useMnemonic = false;
    ShapeKind shape = ShapeKind::Rectangle;
    FillStyle fillStyle = FillStyle::Transparent;
    Colour fillColor = 0;
    Colour borderColor = 0;
    int borderWidth = 1;
    bool hasBorder = true;                   // PictureBox fixed-single border
    bool autoRedraw = true;                  // PictureBox keeps a persistent image
    ScaleMode scaleMode = ScaleMode::Twips;  // PictureBox interior scale
    int interval = 0;                        // Timer, milliseconds
    MousePointer mousePointer = MousePointer::Default;
    int mouseIconResource = 0;         // cursor resource for MousePointer::Custom
    UserControlFactory factory;        // User
    std::optional<PropertyBag> saved;  // User: saved properties; unset means a new instance

    static ControlDesign Label(std::string name, int index = -1);
    static ControlDesign Image(std::string name, int index = -1);
    static ControlDesign Shape(std::string name, int index = -1);
    static ControlDesign ComboBox(std::string name, int index = -1);
    static ControlDesign PictureBox(std::string name, int index = -1);
    static ControlDesign Timer(std::string name, int index = -1);
    static ControlDesign User(std::string name, UserControlFactory factory, int index = -1);
    template <class T>
    static ControlDesign User(std::string name, int index = -1) {
        return User(
            std::move(name), [] { return std::unique_ptr<UserControl>(new T()); }, index);
    }

    ControlDesign& At(int l, int t, int w, int h) {
        left = l;
        top = t;
        width = w;
        height = h;
        return *this;
    }
    ControlDesign& In(std::string container, int containerIndex = -1) {
        parent = std::move(container);
        parentIndex = containerIndex;
        return *this;
    }
    ControlDesign& Caption(std::string c) {
        caption = std::move(c);
        return *this;
    }
    ControlDesign& Text(std::string t) {
        caption = std::move(t);
        return *this;
    }
    ControlDesign& Items(std::vector<std::string> i) {
        items = std::move(i);
        return *this;
    }
    ControlDesign& Style(ComboStyle s) {
        comboStyle = s;
        return *this;
    }
    ControlDesign& Picture(int resource) {
        pictureResource = resource;
        return *this;
    }
    ControlDesign& Stretch(bool s = true) {
        stretch = s;
        return *this;
    }
    ControlDesign& Align(Alignment a) {
        alignment = a;
        return *this;
    }
    ControlDesign& Back(BackStyle s) {
        backStyle = s;
        return *this;
    }
    ControlDesign& BackColor(Colour c) {
        backColor = c;
        return *this;
    }
    ControlDesign& ForeColor(Colour c) {
        foreColor = c;
        return *this;
    }
    ControlDesign& Font(FontDesc f) {
        font = std::move(f);
        return *this;
    }
    ControlDesign& WordWrap(bool w) {
        wordWrap = w;
        return *this;
    }
    ControlDesign& UseMnemonic(bool u) {
        useMnemonic = u;
        return *this;
    }
    ControlDesign& ShapeOf(ShapeKind s) {
        shape = s;
        return *this;
    }
    ControlDesign& Fill(FillStyle s, Colour c) {
        fillStyle = s;
        fillColor = c;
        return *this;
    }
    ControlDesign& Border(Colour c, int w = 1) {
        borderColor = c;
        borderWidth = w;
        return *this;
    }
    ControlDesign& NoBorder() {
        hasBorder = false;
        return *this;
    }
    ControlDesign& AutoRedraw(bool a) {
        autoRedraw = a;
        return *this;
    }
    ControlDesign& Scale(ScaleMode m) {
        scaleMode = m;
        return *this;
    }
    ControlDesign& Interval(int ms) {
        interval = ms;
        return *this;
    }
    ControlDesign& Visible(bool v) {
        visible = v;
        return *this;
    }
    ControlDesign& Enabled(bool e) {
        enabled = e;
        return *this;
    }
    ControlDesign& TabIndex(int t) {
        tabIndex = t;
        return *this;
    }
    ControlDesign& TabStop(bool t) {
        tabStop = t;
        return *this;
    }
    ControlDesign& Pointer(MousePointer p, int iconResource = 0) {
        mousePointer = p;
        mouseIconResource = iconResource;
        return *this;
    }
    ControlDesign& Saved(PropertyBag bag) {
        saved = std::move(bag);
        return *this;
    }
};

struct FormDesign {
    std::string name;
    std::string caption;
    BorderStyle border = BorderStyle::Sizable;
    bool controlBox = true;
    bool showInTaskbar = true;
    // Outer position and interior size in twips; a negative left/top lets the platform choose.
    int left = -1, top = -1;
    int clientWidth = 4800, clientHeight = 3600;
    ScaleMode scaleMode = ScaleMode::Twips;
    Colour backColor = kButtonFace;
    Colour foreColor = kButtonText;
    FontDesc font;
    int iconResource = 0;  // 0: the program's icon (resource 1) when there is one
    bool keyPreview = false;
    std::vector<ControlDesign> controls;
};

}  // namespace qv
