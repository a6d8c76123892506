// The form framework against the real user32/GDI (under Wine). Every test shows windows,
// so the whole program runs serially.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "file_bytes.h"
#include "saver/framework/ansi_text.h"
#include "saver/framework/application.h"
#include "saver/framework/bitmap24.h"
#include "saver/framework/container_host.h"
#include "saver/framework/form.h"
#include "saver/framework/program.h"
#include "saver/framework/skip_rule.h"

namespace qv {
namespace {

// --- a tiny example form, the way the saver's forms are declared ---
//
// A settings-like form: a frame panel (a user control that holds other controls), a label
// array with gaps in its indices, images, shapes, a combo box, a picture box and a timer.

class TestPanel : public UserControl {
  public:
    TestPanel() : UserControl("TestPanel", /*isContainer=*/true) {}
    std::vector<std::string> log;
    std::int16_t depth = 0;
    Colour fill = 0;

  protected:
    void Initialize() override { log.push_back("Initialize"); }
    void InitProperties() override {
        log.push_back("InitProperties");
        depth = 5;
        fill = Ambient().BackColor;
    }
    void ReadProperties(const PropertyBag& bag) override {
        log.push_back("ReadProperties");
        depth = bag.ReadInt16("ShadowDepth", 5);
        fill = bag.ReadColour("FillColour", Ambient().BackColor);
        Draw();
    }
    void WriteProperties(PropertyBag& bag) override {
        bag.WriteInt16("ShadowDepth", depth, 5);
        bag.WriteColour("FillColour", fill, Ambient().BackColor);
    }
    void Resize() override {
        log.push_back("Resize");
        Draw();
    }
    void AmbientChanged(const std::string& name) override {
        log.push_back("AmbientChanged:" + name);
        Draw();
    }
    void Terminate() override { log.push_back("Terminate"); }

  private:
    void Draw() { Image().Clear(Ambient().BackColor); }
};

class TestButton : public UserControl {
  public:
    TestButton() : UserControl("TestButton") { SetDefaultCancel(true); }
    std::vector<std::string> log;
    std::string caption;

  protected:
    void InitProperties() override {
        // The new-instance caption rule of a button: the first free of a few names.
        std::string list = "|";
        for (const SiblingInfo& s : ParentControls())
            if (s.typeName == "TestButton") list += static_cast<TestButton*>(s.control)->caption + "|";
        for (const char* c : {"&OK", "&Cancel"})
            if (list.find(std::string("|") + c + "|") == std::string::npos) {
                caption = c;
                break;
            }
        if (caption.empty()) caption = Ambient().DisplayName;
        SetAccessKeys(caption.size() > 1 && caption[0] == '&'
                          ? std::string(1, static_cast<char>(tolower(caption[1])))
                          : "");
    }
    void ReadProperties(const PropertyBag& bag) override {
        caption = bag.ReadString("Caption", "&OK");
        SetAccessKeys(caption.size() > 1 && caption[0] == '&'
                          ? std::string(1, static_cast<char>(tolower(caption[1])))
                          : "");
    }
    void GotFocus() override { log.push_back("GotFocus"); }
    void LostFocus() override { log.push_back("LostFocus"); }
    void KeyDown(int& key, int) override { log.push_back("KeyDown:" + std::to_string(key)); }
    void MouseDown(int b, int, double x, double y) override {
        log.push_back("MouseDown:" + std::to_string(b) + "@" + std::to_string(static_cast<int>(x)) + "," +
                      std::to_string(static_cast<int>(y)));
    }
    void MouseUp(int b, int, double, double) override {
        log.push_back("MouseUp:" + std::to_string(b));
        RaiseEvent("Click");
    }
    void DblClick() override { log.push_back("DblClick"); }
    void AccessKeyPress(int key) override {
        log.push_back("AccessKey:" + std::string(1, static_cast<char>(key)));
    }
    void AmbientChanged(const std::string& name) override {
        log.push_back("AmbientChanged:" + name + "=" + (Ambient().DisplayAsDefault ? "1" : "0"));
    }
};

FormDesign ExampleDesign() {
    FormDesign d;
    d.name = "Example";
    d.caption = "■Example■";
    d.border = BorderStyle::FixedDialog;
    d.left = 1500;
    d.top = 1500;
    d.clientWidth = 7455;  // 497 x 266 pixels at 15 twips per pixel
    d.clientHeight = 3990;
    d.backColor = Rgb(224, 224, 224);
    using C = ControlDesign;
    d.controls = {
        C::User<TestPanel>("Panel")
            .At(180, 180, 4500, 2595)
            .Saved(PropertyBag().Put("ShadowDepth", std::int16_t{7})),
        C::Shape("Sh", 0).In("Panel").At(300, 240, 1695, 315).Fill(FillStyle::Solid, Rgb(0, 0, 0)),
        C::Shape("Sh", 1).In("Panel").At(315, 255, 1695, 315).Fill(FillStyle::Solid, Rgb(255, 255, 255)),
        C::Label("lbl", 15)
            .In("Panel")
            .At(300, 300, 1665, 195)
            .Caption("BGM")
            .Align(Alignment::Center)
            .Back(BackStyle::Transparent),
        C::Label("lbl_BGM", 0).In("Panel").At(660, 1080, 900, 195).Caption("なし"),
        C::Label("lbl_BGM", 1).In("Panel").At(660, 780, 900, 195).Caption("音楽CD"),
        C::Image("Img_BGM", 2).In("Panel").At(420, 1380, 195, 195),
        C::ComboBox("BGM_Repeat").In("Panel").At(1440, 720, 615, 300).Items({"", "1", "2"}),
        C::Label("lbl", 14).In("Panel").At(2100, 780, 990, 195).Caption("曲目をﾘﾋﾟｰﾄ"),
        C::User<TestButton>("Cmd_Set")
            .At(4800, 300, 1575, 495)
            .Saved(PropertyBag().Put("Caption", std::string("&Set"))),
        C::User<TestButton>("Cmd_Can").At(4800, 900, 1515, 495),
        C::User<TestButton>("Cmd_New").At(4800, 1500, 1515, 495),
        C::PictureBox("Pic_m", 0).At(180, 2880, 1845, 780).NoBorder().Scale(ScaleMode::Pixels),
        C::PictureBox("Pic_m", 1).At(5400, 2880, 1845, 780).NoBorder().Pointer(MousePointer::Cross),
        C::Label("lbl", 7).At(2160, 3480, 2475, 195).Caption("Designed by zantho"),
        C::Label("lbl_Fname")
            .At(0, 3720, 7455, 270)
            .Caption(std::string(24, '&'))
            .WordWrap(false)
            .BackColor(Rgb(255, 255, 255))
            .ForeColor(0),
        C::Image("Img_Ra", 0).At(-3000, 0, 180, 180),
        C::Timer("Timer1").Interval(30).Enabled(false),
        C::Timer("Timer2").Interval(20).Enabled(false),
    };
    return d;
}

class ExampleForm : public Form {
  public:
    ExampleForm() : Form(ExampleDesign()) {
        Form_Load = [this] { events.push_back("Load"); };
        Form_QueryUnload = [this](int& cancel, UnloadMode mode) {
            events.push_back("QueryUnload:" + std::to_string(static_cast<int>(mode)));
            cancel = refuse ? 1 : 0;
        };
        Form_Unload = [this](int&) { events.push_back("Unload"); };
        OnClick("lbl_BGM", [this](int i) { events.push_back("lbl_BGM_Click:" + std::to_string(i)); });
        OnMouseDown("lbl_BGM", [this](int i, int b, int, double x, double y) {
            events.push_back("lbl_BGM_MouseDown:" + std::to_string(i) + ":" + std::to_string(b) + "@" +
                             std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
        });
        OnClick("Pic_m", [this](int i) { events.push_back("Pic_m_Click:" + std::to_string(i)); });
        OnEvent("Cmd_Set", "Click", [this](int, EventArgs&) { events.push_back("Cmd_Set_Click"); });
    }
    std::vector<std::string> events;
    bool refuse = false;
};

// Lets posted and sent messages, paints and timers run for a while.
void Pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        DoEvents();
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

template <class T>
bool Contains(const std::vector<T>& v, const T& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

POINT ClientOrigin(HWND h) {
    POINT p{0, 0};
    ClientToScreen(h, &p);
    return p;
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST(Form, LoadsHiddenFromItsDesignWithTwipsMappedToPixels) {
    ExampleForm f;
    f.Load();
    ASSERT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.events, (std::vector<std::string>{"Load"}));
    EXPECT_EQ(GetWindow(f.hWnd(), GW_OWNER), OwnerWindow());
    EXPECT_EQ(FindWindowA(nullptr, ToAnsi("■Example■")->c_str()), f.hWnd());  // found while hidden
    RECT c{};
    GetClientRect(f.hWnd(), &c);
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    EXPECT_EQ(c.right, TwipsToPixels(7455, tx));
    EXPECT_EQ(c.bottom, TwipsToPixels(3990, ty));
    EXPECT_EQ(f.ScaleWidth(), 7455 / tx * tx);

    // A picture box on the form and a combo box inside the panel: pixel places.
    HWND pic = f.Ctl("Pic_m", 0).hWnd();
    ASSERT_TRUE(pic);
    RECT r{};
    GetWindowRect(pic, &r);
    POINT o = ClientOrigin(f.hWnd());
    EXPECT_EQ(r.left - o.x, TwipsToPixels(180, tx));
    EXPECT_EQ(r.top - o.y, TwipsToPixels(2880, ty));
    EXPECT_EQ(r.right - r.left, TwipsToPixels(1845, tx));
    HWND combo = f.Ctl("BGM_Repeat").hWnd();
    EXPECT_EQ(GetParent(combo), f.Ctl("Panel").hWnd());
    GetWindowRect(combo, &r);
    POINT po = ClientOrigin(f.Ctl("Panel").hWnd());
    EXPECT_EQ(r.left - po.x, TwipsToPixels(1440, tx));
    EXPECT_EQ(r.top - po.y, TwipsToPixels(720, ty));

    // Drawn controls have no window; positions read back in the container's units.
    EXPECT_EQ(f.Ctl("lbl", 15).hWnd(), nullptr);
    EXPECT_EQ(f.Ctl("lbl", 15).Left(), 300);
    EXPECT_EQ(f.Ctl<Label>("lbl", 14).Caption(), "曲目をﾘﾋﾟｰﾄ");
    EXPECT_EQ(f.Ctl<ComboBox>("BGM_Repeat").ListCount(), 3);
    f.Unload();
}

TEST(ComboBox, TypedTextAndListAreIndependent) {
    ExampleForm f;
    f.Load();
    auto& combo = f.Ctl<ComboBox>("BGM_Repeat");
    combo.Clear();
    combo.SetEnabled(false);
    combo.SetText("5");  // a text set before the list is filled stays, disabled or not
    for (int i = 0; i <= 30; ++i) combo.AddItem(i == 0 ? "" : std::to_string(i));
    combo.SetEnabled(true);
    EXPECT_EQ(combo.Text(), "5");
    wchar_t raw[16] = {};
    SendMessageW(combo.hWnd(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(raw));
    EXPECT_EQ(std::wstring(raw), L"5");
    f.Show();
    Pump(100);
    EXPECT_EQ(combo.Text(), "5");
    EXPECT_EQ(combo.ListCount(), 31);
    EXPECT_EQ(combo.List(0), "");
    EXPECT_EQ(combo.List(30), "30");
    EXPECT_THROW(combo.List(31), FrameworkError);
    combo.SetListIndex(3);
    EXPECT_EQ(combo.Text(), "3");
    combo.SetText("x7");  // any text can be typed
    EXPECT_EQ(combo.Text(), "x7");
    EXPECT_EQ(combo.ListIndex(), -1);
    f.Unload();
}

TEST(Form, ControlArraysWithGapsAndUnknownNames) {
    ExampleForm f;
    f.Load();
    EXPECT_EQ(f.Indices("lbl"), (std::vector<int>{7, 14, 15}));
    EXPECT_EQ(f.Indices("Sh"), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.Find("lbl", 8), nullptr);
    EXPECT_THROW(f.Ctl("lbl", 8), FrameworkError);
    EXPECT_THROW(f.Ctl<Label>("Pic_m", 0), FrameworkError);  // wrong kind
    EXPECT_THROW(f.Ctl("lbl"), FrameworkError);              // an array needs its index
    // Under the skip rule a missing control is a skipped statement, not a crash.
    int after = 0;
    RunStatements({[&] { f.Ctl<Label>("lbl", 99).SetCaption("x"); }, [&] { after = 1; }});
    EXPECT_EQ(after, 1);
    // Moving inside a container is in twips, relative to the container.
    Shape& s0 = f.Ctl<Shape>("Sh", 0);
    f.Ctl("Sh", 1).Move(s0.Left() + 15, s0.Top() + 15);
    EXPECT_EQ(f.Ctl("Sh", 1).LeftTwips(), 315);
    f.Unload();
}

TEST(Form, DesignErrorsFailTheLoadCleanly) {
    FormDesign d;
    d.name = "Broken";
    d.controls = {ControlDesign::Label("a").In("NoSuchPanel")};
    Form f(d);
    EXPECT_THROW(f.Load(), FrameworkError);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_TRUE(LoadedForms().empty());

    FormDesign twice;
    twice.name = "Twice";
    twice.controls = {ControlDesign::Label("a", 1), ControlDesign::Label("a", 1)};
    Form g(twice);
    EXPECT_THROW(g.Load(), FrameworkError);
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, AWindowClassTheSystemRefusesIsNotTakenAsRegistered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QvRefusedOnce";
    wc.cbClsExtra = -1;  // no class can have that
    EXPECT_FALSE(RegisterFrameworkClass(wc));
    wc.cbClsExtra = 0;
    EXPECT_TRUE(RegisterFrameworkClass(wc));
    EXPECT_TRUE(UnregisterClassW(L"QvRefusedOnce", GetModuleHandleW(nullptr)));
}

TEST(Form, DrawnControlsPaintOverTheirContainer) {
    ExampleForm f;
    f.Show();
    SetWindowPos(f.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump(300);
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    POINT panel = ClientOrigin(f.Ctl("Panel").hWnd());
    // Inside Sh(0) (black, solid) where Sh(1) does not cover it: its top-left corner area.
    COLORREF black = ScreenPixel(panel.x + TwipsToPixels(300, tx) + 0, panel.y + TwipsToPixels(240, ty) + 0);
    EXPECT_EQ(black, RGB(0, 0, 0));
    // Sh(1), declared later, lies over Sh(0).
    COLORREF white = ScreenPixel(panel.x + TwipsToPixels(1000, tx), panel.y + TwipsToPixels(250, ty) + 3);
    EXPECT_EQ(white, RGB(255, 255, 255));
    // The form's own back colour shows where nothing is.
    POINT o = ClientOrigin(f.hWnd());
    EXPECT_EQ(ScreenPixel(o.x + 2, o.y + 2), RGB(224, 224, 224));
    // A caption shows every "&" as typed (a file path may hold some), not half of them as
    // access-key marks.
    {
        Label& name = f.Ctl<Label>("lbl_Fname");
        const RECT lr = name.PixelRect();
        int lastDark = -1;
        for (int x = lr.right - 1; x >= lr.left && lastDark < 0; --x)
            for (int y = lr.top; y < lr.bottom; ++y)
                if (GetRValue(ScreenPixel(o.x + x, o.y + y)) < 100) {
                    lastDark = x;
                    break;
                }
        HDC screen = GetDC(nullptr);
        HFONT font = CreateFontFor(name.Font());
        HGDIOBJ old = SelectObject(screen, font);
        SIZE all{};
        GetTextExtentPoint32W(screen, std::wstring(24, L'&').c_str(), 24, &all);
        SelectObject(screen, old);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);
        EXPECT_GT(lastDark - lr.left, all.cx * 3 / 4);
    }
    // An image shows the picture it is given, at its own size from the top-left corner.
    PictureBox& source = f.Ctl<PictureBox>("Pic_m", 0);
    source.Surface().Clear(Rgb(0, 90, 180));
    Image& img = f.Ctl<Image>("Img_BGM", 2);
    img.SetPicture(Picture::FromDC(source.hDC(), 0, 0, 4, 4));
    Pump(100);
    const int ix = panel.x + TwipsToPixels(420, tx), iy = panel.y + TwipsToPixels(1380, ty);
    EXPECT_EQ(ScreenPixel(ix + 1, iy + 1), RGB(0, 90, 180));
    EXPECT_NE(ScreenPixel(ix + 6, iy + 6), RGB(0, 90, 180));  // beyond the 4 x 4 picture
    img.SetStretch(true);
    Pump(100);
    EXPECT_EQ(ScreenPixel(ix + 10, iy + 10), RGB(0, 90, 180));
    f.Unload();
}

TEST(Form, QueryUnloadCanCancelAndRunsBeforeUnload) {
    ExampleForm f;
    f.Show();
    f.refuse = true;
    PostMessageW(f.hWnd(), WM_CLOSE, 0, 0);  // the close box
    Pump(100);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.IsLoaded());
    f.refuse = false;
    PostMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    Pump(100);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.events, (std::vector<std::string>{"Load", "QueryUnload:0", "QueryUnload:1", "QueryUnload:0",
                                                  "Unload"}));
    EXPECT_TRUE(LoadedForms().empty());
    // A form loads again from its design after an unload.
    f.Load();
    EXPECT_EQ(f.Ctl("Sh", 1).LeftTwips(), 315);
    f.Unload();
}

TEST(Timer, TicksOnTheUiThreadOneAtATime) {
    ExampleForm f;
    f.Load();
    int ticks = 0, depth = 0, maxDepth = 0;
    DWORD thread = 0;
    int otherTicks = 0;
    f.OnTimer("Timer1", [&](int index) {
        EXPECT_EQ(index, -1);
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        thread = GetCurrentThreadId();
        Pump(80);  // a handler that pumps messages must see no tick, its own or another's
        --depth;
    });
    f.OnTimer("Timer2", [&](int) {
        ++otherTicks;
        maxDepth = std::max(maxDepth, ++depth);
        --depth;
    });
    f.Ctl("Timer1").SetEnabled(true);
    f.Ctl("Timer2").SetEnabled(true);
    Pump(600);
    f.Ctl("Timer1").SetEnabled(false);
    f.Ctl("Timer2").SetEnabled(false);
    EXPECT_GE(otherTicks, 1);
    const int seen = ticks;
    EXPECT_GE(seen, 2);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(thread, GetCurrentThreadId());
    Pump(200);
    EXPECT_EQ(ticks, seen);  // disabled: no more ticks
    EXPECT_THROW(f.Ctl<Timer>("Timer1").SetInterval(-1), FrameworkError);
    f.Unload();
}

TEST(Timer, AHandlerMayUnloadItsOwnForm) {
    ExampleForm f;
    f.Load();
    f.OnTimer("Timer1", [&](int) { f.Unload(); });
    f.Ctl("Timer1").SetEnabled(true);
    Pump(300);
    EXPECT_FALSE(f.IsLoaded());
}

TEST(PictureBox, PersistentImageSurvivesRepaintAndSavesAs24BitBitmap) {
    ExampleForm f;
    f.Show();
    SetWindowPos(f.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PictureBox& p = f.Ctl<PictureBox>("Pic_m", 0);
    // 123 x 52 pixels: rows of 369 bytes, padded to 372.
    const int w = p.Surface().Width(), h = p.Surface().Height();
    EXPECT_EQ(w, TwipsToPixels(1845, TwipsPerPixelX()));
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 10));
    RECT left{0, 0, w / 2, h};
    FillRect(p.hDC(), &left, red);
    DeleteObject(red);
    SetPixel(p.hDC(), w - 1, h - 1, RGB(1, 2, 3));
    Pump(200);  // drawn into: shown at the next idle moment
    POINT o = ClientOrigin(p.hWnd());
    EXPECT_EQ(ScreenPixel(o.x + 3, o.y + 3), RGB(200, 30, 10));
    // Something covers it and goes away: the repaint restores it from the image.
    RedrawWindow(p.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(100);
    EXPECT_EQ(ScreenPixel(o.x + 3, o.y + 3), RGB(200, 30, 10));
    EXPECT_EQ(p.Surface().Pixel(w - 1, h - 1), Rgb(1, 2, 3));

    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string path = std::string(tmp) + "qv_framework_pic.bmp";
    p.SaveAsBitmap24(path);
    const std::string file = test::ReadFileBytes(path);
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    DeleteFileA(path.c_str());
    ASSERT_EQ(bytes.size(), 54 + Bitmap24RowBytes(w) * static_cast<std::size_t>(h));
    EXPECT_EQ(bytes[28], 24);
    // Bottom-up: the bottom-right pixel is the last pixel of the first row.
    const std::size_t last = 54 + static_cast<std::size_t>(w - 1) * 3;
    EXPECT_EQ(bytes[last], 3);
    EXPECT_EQ(bytes[last + 1], 2);
    EXPECT_EQ(bytes[last + 2], 1);
    // The top-left pixel is the first pixel of the last row.
    const std::size_t topLeft = 54 + Bitmap24RowBytes(w) * static_cast<std::size_t>(h - 1);
    EXPECT_EQ(bytes[topLeft], 10);
    EXPECT_EQ(bytes[topLeft + 1], 30);
    EXPECT_EQ(bytes[topLeft + 2], 200);
    // The whole file against the image, byte by byte.
    auto decoded = DecodeBitmap24(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bgr, p.Surface().ToBitmap24().bgr);

    // A folder that does not exist: a failure, and no file anywhere.
    EXPECT_THROW(p.SaveAsBitmap24(std::string(tmp) + "no_such_folder_qv\\x.bmp"), FrameworkError);
    f.Unload();
}

TEST(PictureBox, PictureCopiesBetweenBoxesAndClsKeepsIt) {
    ExampleForm f;
    f.Load();
    PictureBox& a = f.Ctl<PictureBox>("Pic_m", 0);
    PictureBox& b = f.Ctl<PictureBox>("Pic_m", 1);
    a.Surface().Clear(Rgb(0, 128, 255));
    b.SetPicture(a.Image());
    EXPECT_EQ(b.Surface().Pixel(5, 5), Rgb(0, 128, 255));
    HBRUSH g = CreateSolidBrush(RGB(0, 255, 0));
    RECT r{0, 0, 4, 4};
    FillRect(b.hDC(), &r, g);
    DeleteObject(g);
    EXPECT_EQ(b.Surface().Pixel(1, 1), Rgb(0, 255, 0));
    b.Cls();  // drawings go, the picture stays
    EXPECT_EQ(b.Surface().Pixel(1, 1), Rgb(0, 128, 255));
    EXPECT_EQ(a.ScaleWidth(), a.Surface().Width());                     // pixels
    EXPECT_EQ(b.ScaleWidth(), b.Surface().Width() * TwipsPerPixelX());  // twips
    // Resizing keeps what was drawn.
    a.Surface().SetPixel(2, 2, Rgb(9, 9, 9));
    a.MoveTwips(a.LeftTwips(), a.TopTwips(), a.WidthTwips() * 2, a.HeightTwips());
    EXPECT_EQ(a.Surface().Width(), TwipsToPixels(1845 * 2, TwipsPerPixelX()));
    EXPECT_EQ(a.Surface().Pixel(2, 2), Rgb(9, 9, 9));
    f.Unload();
}

TEST(UserControl, NotificationsPropertiesAndSiblings) {
    ExampleForm f;
    f.Load();
    auto& panel = f.Ctl<TestPanel>("Panel");
    EXPECT_EQ(panel.log, (std::vector<std::string>{"Initialize", "ReadProperties", "Resize"}));
    EXPECT_EQ(panel.depth, 7);
    EXPECT_EQ(panel.ParentHwnd(), f.hWnd());
    EXPECT_FALSE(panel.ParentIsMDIChild());
    EXPECT_TRUE(panel.Ambient().UserMode);
    EXPECT_EQ(panel.Ambient().BackColor, Rgb(224, 224, 224));
    EXPECT_EQ(panel.Ambient().DisplayName, "Panel");
    // Saving: values at their defaults are left out.
    PropertyBag saved = panel.SaveProperties();
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"ShadowDepth"}));
    EXPECT_EQ(saved.ReadInt16("ShadowDepth", 5), 7);
    panel.PropertyChanged("ShadowDepth");
    EXPECT_EQ(panel.ChangedProperties().count("ShadowDepth"), 1u);
    // New instances: the caption rule sees the buttons placed before them.
    EXPECT_EQ(f.Ctl<TestButton>("Cmd_Set").caption, "&Set");
    EXPECT_EQ(f.Ctl<TestButton>("Cmd_Can").caption, "&OK");
    EXPECT_EQ(f.Ctl<TestButton>("Cmd_New").caption, "&Cancel");
    auto siblings = panel.ParentControls();
    EXPECT_EQ(siblings.size(), f.Controls().size());
    EXPECT_EQ(siblings[0].typeName, "TestPanel");
    EXPECT_EQ(siblings[3].typeName, "Label");
    EXPECT_EQ(siblings[3].index, 15);
    // The control's own image follows its size.
    EXPECT_EQ(panel.Image().Width(), TwipsToPixels(4500, TwipsPerPixelX()));
    EXPECT_EQ(panel.ScaleWidth(), panel.Image().Width() * TwipsPerPixelX());
    f.Unload();
    EXPECT_EQ(f.events.back(), "Unload");
}

TEST(UserControl, AmbientChangesAreNotifiedByName) {
    ExampleForm f;
    f.Show();
    auto& panel = f.Ctl<TestPanel>("Panel");
    panel.log.clear();
    f.SetBackColor(Rgb(10, 20, 30));
    EXPECT_EQ(panel.log, (std::vector<std::string>{"AmbientChanged:BackColor"}));
    EXPECT_EQ(panel.Ambient().BackColor, Rgb(10, 20, 30));
    EXPECT_EQ(panel.Image().Pixel(0, 0), Rgb(10, 20, 30));

    auto& set = f.Ctl<TestButton>("Cmd_Set");
    auto& can = f.Ctl<TestButton>("Cmd_Can");
    f.Ctl("BGM_Repeat").SetFocus();  // not a button: the form's default shows
    Pump(50);
    set.log.clear();
    f.SetDefaultControl("Cmd_Set");
    EXPECT_TRUE(set.Ambient().DisplayAsDefault);
    EXPECT_EQ(set.log, (std::vector<std::string>{"AmbientChanged:DisplayAsDefault=1"}));
    // A focused button is shown as the default instead.
    can.SetFocus();
    Pump(50);
    EXPECT_TRUE(can.Ambient().DisplayAsDefault);
    EXPECT_FALSE(set.Ambient().DisplayAsDefault);
    EXPECT_TRUE(Contains(set.log, std::string("AmbientChanged:DisplayAsDefault=0")));
    f.Unload();
}

TEST(Focus, TabAndShiftTabAlsoFromSendKeys) {
    ExampleForm f;
    f.Show();
    SetForegroundWindow(f.hWnd());
    Pump(100);
    // Focusable, in tab order: BGM_Repeat(6), Cmd_Set(8), Cmd_Can(9), Cmd_New(10); the panel
    // (0) holds controls and takes no focus itself.
    f.Ctl("Cmd_Set").SetFocus();
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_Set"));
    SendKeys("{TAB}");
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_Can"));
    SendKeys("+{TAB}+{TAB}");
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("BGM_Repeat"));
    SendKeys("+{TAB}");  // wraps past the panel
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_New"));
    // Real Tab key presses on the focused window.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Pump(50);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_Set"));
    // Clicking the panel leaves the focus where it is.
    PostMessageW(f.Ctl("Panel").hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(f.Ctl("Panel").hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_Set"));
    // Disabled controls are passed over.
    f.Ctl("Cmd_Can").SetEnabled(false);
    SendKeys("{TAB}");
    Pump(50);
    EXPECT_EQ(f.FocusedControl(), &f.Ctl("Cmd_New"));
    auto& b = f.Ctl<TestButton>("Cmd_New");
    EXPECT_TRUE(Contains(b.log, std::string("GotFocus")));
    // Other keys reach the focused control.
    b.log.clear();
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_LEFT, 1);
    Pump(50);
    EXPECT_EQ(b.log, (std::vector<std::string>{"KeyDown:37"}));
    EXPECT_THROW(SendKeys("{NOPE}"), FrameworkError);
    // Key preview: the form sees keys first and can keep them.
    std::vector<int> previewed;
    f.Form_KeyDown = [&](int& key, int) {
        previewed.push_back(key);
        if (key == VK_RIGHT) key = 0;
    };
    b.log.clear();
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_LEFT, 1);  // keyPreview is off in the design
    Pump(50);
    EXPECT_TRUE(previewed.empty());
    f.SetKeyPreview(true);
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_LEFT, 1);
    PostMessageW(b.hWnd(), WM_KEYDOWN, VK_RIGHT, 1);
    Pump(50);
    EXPECT_EQ(previewed, (std::vector<int>{VK_LEFT, VK_RIGHT}));
    EXPECT_EQ(b.log, (std::vector<std::string>{"KeyDown:37", "KeyDown:37"}));
    EXPECT_THROW(f.Ctl("Cmd_Can").SetFocus(), FrameworkError);  // disabled
    f.Unload();
}

TEST(Focus, AccessKeysGoToTheirControl) {
    ExampleForm f;
    f.Show();
    Pump(100);
    auto& set = f.Ctl<TestButton>("Cmd_Set");  // "&Set"
    auto& can = f.Ctl<TestButton>("Cmd_Can");  // "&OK"
    f.Ctl("Cmd_New").SetFocus();
    Pump(50);
    PostMessageW(GetFocus(), WM_SYSCHAR, 'S', 1 << 29);  // Alt+S
    Pump(50);
    EXPECT_TRUE(Contains(set.log, std::string("AccessKey:S")));
    EXPECT_EQ(f.FocusedControl(), &set);
    PostMessageW(GetFocus(), WM_CHAR, 'o', 1);  // a plain key where nothing is typed
    Pump(50);
    EXPECT_TRUE(Contains(can.log, std::string("AccessKey:o")));
    // In the combo box's text field the same key is typing.
    f.Ctl("BGM_Repeat").SetFocus();
    Pump(50);
    can.log.clear();
    PostMessageW(GetFocus(), WM_CHAR, 'o', 1);
    Pump(50);
    EXPECT_TRUE(can.log.empty());
    EXPECT_EQ(f.Ctl<ComboBox>("BGM_Repeat").Text(), "o");
    // A disabled control does not take its key.
    set.SetEnabled(false);
    set.log.clear();
    PostMessageW(f.hWnd(), WM_SYSCHAR, 's', 1 << 29);
    Pump(50);
    EXPECT_TRUE(set.log.empty());
    f.Unload();
}

TEST(Mouse, DrawnControlsAndWindowsGetTheirEventsWithIndex) {
    ExampleForm f;
    f.Show();
    Pump(100);
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    HWND panel = f.Ctl("Panel").hWnd();
    // lbl_BGM(1) at (660, 780) twips inside the panel; click 2 pixels in.
    const int x = TwipsToPixels(660, tx) + 2, y = TwipsToPixels(780, ty) + 2;
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump(50);
    ASSERT_EQ(f.events.size(), 3u);
    EXPECT_EQ(f.events[1], "lbl_BGM_MouseDown:1:1@" + std::to_string(2 * tx) + "," + std::to_string(2 * ty));
    EXPECT_EQ(f.events[2], "lbl_BGM_Click:1");
    // A press that ends off the control is no click.
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(x + 300, y));
    Pump(50);
    EXPECT_EQ(f.events.back(),
              "lbl_BGM_MouseDown:1:1@" + std::to_string(2 * tx) + "," + std::to_string(2 * ty));
    // Picture boxes click as themselves.
    HWND pic = f.Ctl("Pic_m", 1).hWnd();
    PostMessageW(pic, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(pic, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(50);
    EXPECT_EQ(f.events.back(), "Pic_m_Click:1");
    // User controls: mouse positions in twips; raised events reach the form's handler.
    auto& set = f.Ctl<TestButton>("Cmd_Set");
    set.log.clear();
    PostMessageW(set.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 3));
    PostMessageW(set.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 3));
    PostMessageW(set.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 3));
    Pump(50);
    EXPECT_TRUE(Contains(set.log, "MouseDown:1@" + std::to_string(4 * tx) + "," + std::to_string(3 * ty)));
    EXPECT_TRUE(Contains(set.log, std::string("DblClick")));
    EXPECT_EQ(f.events.back(), "Cmd_Set_Click");
    f.Unload();
}

TEST(Mouse, PointerOfTheControlUnlessTheApplicationSetsOne) {
    ExampleForm f;
    f.Show();
    Pump(50);
    auto cursorOver = [](HWND h) {
        SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HWND pic = f.Ctl("Pic_m", 1).hWnd();
    HWND combo = f.Ctl("BGM_Repeat").hWnd();
    EXPECT_EQ(cursorOver(pic), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_EQ(cursorOver(f.hWnd()), LoadCursor(nullptr, IDC_ARROW));
    SetAppMousePointer(MousePointer::Hourglass);
    EXPECT_EQ(cursorOver(pic), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(cursorOver(f.Ctl("Panel").hWnd()), LoadCursor(nullptr, IDC_WAIT));
    SendMessageW(combo, WM_SETCURSOR, reinterpret_cast<WPARAM>(combo), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));  // a stock child window too
    SetAppMousePointer(MousePointer::Default);
    EXPECT_EQ(cursorOver(pic), LoadCursor(nullptr, IDC_CROSS));
    f.Unload();
}

TEST(Application, OwnerWindowCloseEndsTheRunWithoutUnloading) {
    ExampleForm f;
    bool timerRan = false;
    f.OnTimer("Timer1", [&](int) {
        timerRan = true;
        PostMessageW(GetWindow(f.hWnd(), GW_OWNER), WM_CLOSE, 0, 0);
    });
    const int code = RunApplication([&] {
        f.Show();
        f.Ctl("Timer1").SetEnabled(true);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(f.IsLoaded());  // no unload handling ran
    EXPECT_FALSE(Contains(f.events, std::string("Unload")));
    f.Ctl("Timer1").SetEnabled(false);
    f.Unload();
    EXPECT_TRUE(IsWindow(OwnerWindow()));
}

TEST(Application, ASignalledObjectIsAnsweredFromTheLoopOnce) {
    // A process that ends, say: answered while the loop has no message to wake it, and once,
    // although the object stays signalled. A timer ends the run half a second later.
    ExampleForm f;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int answered = 0;
    WhenSignalled(event, [&] { ++answered; });
    std::thread setter([&] {
        Sleep(50);
        SetEvent(event);
    });
    const UINT_PTR end = SetTimer(
        nullptr, 0, 500, [](HWND, UINT, UINT_PTR, DWORD) { PostMessageW(OwnerWindow(), WM_CLOSE, 0, 0); });
    RunApplication([&] { f.Load(); });
    KillTimer(nullptr, end);
    setter.join();
    CloseHandle(event);
    f.Unload();
    EXPECT_EQ(answered, 1);
}

TEST(Application, RunEndsWhenTheLastFormUnloadsAndModalShowWaits) {
    ExampleForm dialog;
    std::vector<std::string> order;
    dialog.OnTimer("Timer1", [&](int) {
        order.push_back("tick");
        dialog.Unload();
    });
    const int code = RunApplication([&] {
        dialog.Load();
        dialog.Ctl("Timer1").SetEnabled(true);
        dialog.Show(true);  // returns once the timer has unloaded it
        order.push_back("after modal");
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"tick", "after modal"}));
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Application, ModalShowDisablesTheOtherFormsUntilItGoes) {
    ExampleForm main, dialog;
    bool mainDisabledMeanwhile = false;
    HWND activeAfter = nullptr, mainWindow = nullptr;
    dialog.OnTimer("Timer1", [&](int) {
        mainWindow = main.hWnd();
        mainDisabledMeanwhile = !IsWindowEnabled(mainWindow);
        dialog.Unload();
        activeAfter = GetActiveWindow();
    });
    RunApplication([&] {
        main.Show();
        dialog.Load();
        dialog.Ctl("Timer1").SetEnabled(true);
        dialog.Show(true);
        main.Unload();
    });
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_EQ(activeAfter, mainWindow);  // the activation went back to the program's form
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Application, AFormDestroyedWithItsParentUnloadsAndTheRunEnds) {
    // The preview's case: the form becomes a child of a window of someone else's, which goes.
    HWND host = CreateWindowExW(0, L"STATIC", L"pane", WS_POPUP | WS_VISIBLE, 10, 10, 152, 112, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host);
    FormDesign d;
    d.name = "Preview";
    d.caption = "Preview Window";
    d.border = BorderStyle::None;
    d.scaleMode = ScaleMode::Pixels;
    Form preview(d);
    HWND ownerSeen = nullptr;
    preview.Form_Unload = [&](int&) {
        ownerSeen = GetWindow(preview.hWnd(), GW_OWNER);
        PostMessageW(ownerSeen, WM_CLOSE, 0, 0);
    };
    UINT_PTR t = SetTimer(nullptr, 0, 200, nullptr);
    bool destroyed = false;
    const int code = RunApplication([&] {
        preview.Load();
        HWND h = preview.hWnd();
        SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_CHILD);
        SetParent(h, host);
        preview.Move(0, 0, 152 * TwipsPerPixelX(), 112 * TwipsPerPixelY());
        preview.Show();
        PostMessageW(host, WM_CLOSE, 0, 0);  // a STATIC window destroys itself on close
        destroyed = true;
    });
    KillTimer(nullptr, t);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(IsWindow(host));
    EXPECT_FALSE(preview.IsLoaded());
    EXPECT_EQ(ownerSeen, OwnerWindow());
}

TEST(Program, MessageBoxWaitsUntilClosed) {
    // Another thread plays the user: finds the box by its title, reads it, presses OK.
    std::string seenText;
    std::atomic<bool> closed{false};
    std::thread user([&] {
        for (int i = 0; i < 400 && !closed; ++i) {
            HWND box = FindWindowW(nullptr, L"QvFrameworkTest");
            if (box) {
                wchar_t text[256] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 256);
                seenText = Narrow(text);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(25);
        }
    });
    MessageBoxOk("Quorvale.dll が同じﾌｫﾙﾀﾞに見つかりません！", "QvFrameworkTest");
    closed = true;
    user.join();
    EXPECT_EQ(seenText, "Quorvale.dll が同じﾌｫﾙﾀﾞに見つかりません！");
}

TEST(Program, ScreenAndServices) {
    EXPECT_EQ(TwipsPerPixelX(), 1440 / GetDeviceCaps(GetDC(nullptr), LOGPIXELSX));
    EXPECT_EQ(ScreenWidthTwips(), GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX());
    EXPECT_EQ(ScreenHeightTwips(), GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY());
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "qv_fw_folder_日本";
    RemoveDirectoryW(Widen(dir).c_str());
    EXPECT_TRUE(MakeFolder(dir));
    EXPECT_FALSE(MakeFolder(dir));         // exists
    EXPECT_FALSE(CanOpenForReading(dir));  // a folder is not a file
    const std::string file = dir + "\\f.txt";
    EXPECT_FALSE(CanOpenForReading(file));
    EXPECT_FALSE(DeleteFileAt(file));
    std::ofstream(Widen(file).c_str()) << "x";
    EXPECT_TRUE(CanOpenForReading(file));
    EXPECT_TRUE(DeleteFileAt(file));
    EXPECT_FALSE(CanOpenForReading(file));
    RemoveDirectoryW(Widen(dir).c_str());
    SetAppMousePointer(MousePointer::Hourglass);
    EXPECT_EQ(AppMousePointer(), MousePointer::Hourglass);
    SetAppMousePointer(MousePointer::Default);
    EXPECT_THROW(StartProgram(dir + "\\missing.exe", SW_SHOWNORMAL), FrameworkError);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// --- services seen from another process: the probe program ---

using test::ReadFileBytes;

struct Probe {
    std::string exe = QV_PROBE_EXE;  // the Wine path of the probe program
    std::string out;
    Probe() {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        out = std::string(tmp) + "qv_probe_out.txt";
        DeleteFileA(out.c_str());
        SetEnvironmentVariableA("QV_PROBE_OUT", out.c_str());
    }
    ~Probe() { DeleteFileA(out.c_str()); }
    // Runs a command line, waits, returns the exit code.
    DWORD Run(const std::string& commandLine) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = commandLine;
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 9999;
        WaitForSingleObject(pi.hProcess, 30000);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    }
};

TEST(Program, ArgumentTextAndProgramFolder) {
    Probe p;
    EXPECT_EQ(p.Run("\"" + p.exe + "\"    /p  1234 "), 3u);
    std::string folder = p.exe.substr(0, p.exe.find_last_of('\\'));
    EXPECT_EQ(ReadFileBytes(p.out), "args=[/p  1234 ]\nfolder=[" + folder + "]\nself=[" + p.exe + "]\n");
}

TEST(Program, EndNowEndsWithoutUnloadHandling) {
    Probe p;
    EXPECT_EQ(p.Run("\"" + p.exe + "\" endnow"), 7u);
    EXPECT_EQ(ReadFileBytes(p.out), "");
}

TEST(Program, StartProgramRunsExactlyThePathGivenEvenWithBlanks) {
    // "…\qv dir\probe.exe" unquoted could also be read as "…\qv.exe" with arguments; a decoy
    // of that name must not be the one that runs.
    Probe p;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "qv dir";
    const std::string real = dir + "\\probe.exe";
    const std::string decoy = std::string(tmp) + "qv.exe";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(p.exe.c_str(), real.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(p.exe.c_str(), decoy.c_str(), FALSE));
    const std::uint32_t pid = StartProgram(real, SW_SHOWNORMAL);
    EXPECT_NE(pid, 0u);
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (h) {
        WaitForSingleObject(h, 30000);
        CloseHandle(h);
    } else {
        Sleep(3000);
    }
    const std::string seen = ReadFileBytes(p.out);
    EXPECT_NE(seen.find("self=[" + real + "]"), std::string::npos) << seen;
    EXPECT_NE(seen.find("args=[]"), std::string::npos) << seen;
    DeleteFileA(real.c_str());
    DeleteFileA(decoy.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(Program, AStartedProgramIsHeldFromItsStartUntilLookedAtAfterItsEnd) {
    // The probe writes its report and ends at once with code 3. Looked at only afterwards, as a
    // watch may look at a renderer that ended early, the process held is still that very one.
    Probe p;
    ProgramProcess child = StartProgramProcess(p.exe, SW_SHOWNORMAL);
    for (int i = 0; i < 300 && ReadFileBytes(p.out).find("self=") == std::string::npos; ++i) Sleep(100);
    Sleep(1000);  // the report is written just before the end
    ASSERT_NE(child.Handle(), nullptr);
    EXPECT_EQ(WaitForSingleObject(child.Handle(), 30000), WAIT_OBJECT_0);
    EXPECT_FALSE(child.Running());
    EXPECT_EQ(GetProcessId(child.Handle()), child.Id());
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(child.Handle(), &code));
    EXPECT_EQ(code, 3u);
    ProgramProcess moved = std::move(child);
    EXPECT_EQ(child.Handle(), nullptr);
    EXPECT_FALSE(moved.Running());
}

TEST(Program, StartProgramNeverFallsBackToAnUnquotedPath) {
    // The path names no file (or one that cannot be opened): nothing starts, and above all not
    // the decoy that the unquoted text "…\qv dir\probe.exe" would also name.
    Probe p;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "qv dir";
    const std::string missing = dir + "\\probe.exe";
    const std::string decoy = std::string(tmp) + "qv.exe";
    CreateDirectoryA(dir.c_str(), nullptr);
    DeleteFileA(missing.c_str());
    ASSERT_TRUE(CopyFileA(p.exe.c_str(), decoy.c_str(), FALSE));
    EXPECT_THROW(StartProgram(missing, SW_SHOWNORMAL), FrameworkError);
    Sleep(3000);  // a decoy started by mistake would have written its report by now
    EXPECT_EQ(ReadFileBytes(p.out), "") << "the decoy ran";
    DeleteFileA(decoy.c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace qv
