#include "saver/preview/quorvale_r.h"

#include "saver/framework/application.h"
#include "saver/framework/dpi_awareness.h"
#include "saver/framework/program.h"
#include "saver/framework/skip_rule.h"
#include "saver/saver_resources.h"
#include "saver/screen_size.h"

namespace qv {
namespace {

FormDesign PreviewDesign() {
    FormDesign d;
    d.name = "Quorvale_R";
    d.caption = "Preview Window";
    d.border = BorderStyle::None;
    d.controlBox = false;
    d.showInTaskbar = false;
    d.scaleMode = ScaleMode::Pixels;
    d.backColor = 0;  // black
    d.controls = {
        ControlDesign::Image("Img_Prev").At(0, 0, 152 * 15, 112 * 15).Picture(IDB_QV_PREVIEW),
    };
    return d;
}

}  // namespace

Quorvale_R::Quorvale_R() : Form(PreviewDesign()) {
    Form_Unload = [this](int&) {
        // The hidden owner window of the program: closing it ends the run.
        PostMessageA(GetWindow(hWnd(), GW_OWNER), WM_CLOSE, 0, 0);
    };
}

void ShowPreview(HWND pane) {
    if (!IsWindow(pane)) EndNow();
    // Windows may refuse to make a window the child of one of another DPI awareness, which
    // would leave the pane empty: the form is made, measured and placed in the pane's.
    ThreadDpiAwareness paneAwareness(DpiAwarenessOf(pane));

    static Quorvale_R form;
    RECT r{};
    std::int16_t width = 0, height = 0;  // twips
    RunStatements({
        [&] { return GetWindowRect(pane, &r) != FALSE; },
        // A size that does not fit 16 bits stays 0.
        [&] { width = PixelTwips(r.right - r.left, form.TwipsPerPixelX()).value(); },
        [&] { height = PixelTwips(r.bottom - r.top, form.TwipsPerPixelY()).value(); },
    });
    bool inPane = false;
    RunStatements({
        [&] { form.Load(); },
        [&] {
            // A window is either a pop-up or a child: the borderless form starts as a pop-up,
            // and with both bits the platform keeps treating it as one (never drawn in the pane).
            LONG style = GetWindowLongA(form.hWnd(), GWL_STYLE);
            SetWindowLongA(form.hWnd(), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
        },
        [&] {
            SetParent(form.hWnd(), pane);
            inPane = IsChild(pane, form.hWnd()) != FALSE;
        },
    });
    // The pane may have gone since the check above: a form without it would run for ever, so
    // the preview ends as it does when its pane closes.
    if (!inPane) {
        form.Unload();
        return;
    }
    RunStatements({
        [&] { form.Move(0, 0, width, height); },
        [&] {
            form.Ctl("Img_Prev").Move(0, 0, width / form.TwipsPerPixelX(), height / form.TwipsPerPixelY());
        },
        [&] { form.Show(false); },
    });
}

}  // namespace qv
