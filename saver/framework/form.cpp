#include "form.h"

#include <algorithm>

#include "ansi_text.h"
#include "application.h"
#include "focus_order.h"
#include "framework_internal.h"
#include "program.h"

namespace qv {
namespace {

void StyleFor(BorderStyle b, bool controlBox, DWORD& style, DWORD& ex) {
  ex = 0;
  switch (b) {
    case BorderStyle::None: style = WS_POPUP; break;
    case BorderStyle::FixedSingle: style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case BorderStyle::Sizable: style = WS_OVERLAPPEDWINDOW; break;
    case BorderStyle::FixedDialog:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
      ex = WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::FixedToolWindow:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      ex = WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::SizableToolWindow:
      style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      ex = WS_EX_TOOLWINDOW;
      break;
  }
  if (!controlBox) style &= ~static_cast<DWORD>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  style |= WS_CLIPCHILDREN;
}

std::string Key(const std::string& control, const std::string& event) { return control + "\n" + event; }

void Report(const char* where) {
  // Handlers are the form's own code; a failure there ends that handler, not the program.
  OutputDebugStringA(where);
}

int ButtonOfMessage(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return 2;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return 4;
  }
  return 0;
}

}  // namespace

// --- construction and lifecycle ---

Form::Form(FormDesign design)
    : design_(std::move(design)), border_(design_.border), scaleMode_(design_.scaleMode), backColor_(design_.backColor) {}

Form::~Form() {
  // Destroying a form object ends its windows without its unload handling.
  if (hwnd_) {
    unloading_ = true;
    UnregisterLoadedForm(this);
    DestroyWindows();
  }
}

const wchar_t* FormClassName() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Form::WndProcAddress();
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = L"QvForm";
    RegisterClassW(&wc);
    return L"QvForm";
  }();
  return name;
}

void Form::Load() {
  if (hwnd_) return;
  DWORD style = 0, ex = 0;
  StyleFor(border_, design_.controlBox, style, ex);
  if (design_.showInTaskbar && border_ != qv::BorderStyle::None) ex |= WS_EX_APPWINDOW;
  const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
  RECT r{0, 0, TwipsToPixels(design_.clientWidth, tx), TwipsToPixels(design_.clientHeight, ty)};
  AdjustWindowRectEx(&r, style, FALSE, ex);
  const int w = r.right - r.left, h = r.bottom - r.top;
  int x = design_.left >= 0 ? TwipsToPixels(design_.left, tx) : (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  int y = design_.top >= 0 ? TwipsToPixels(design_.top, ty) : (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  HWND created = CreateWindowExW(ex, FormClassName(), Widen(design_.caption).c_str(), style, x, y, w, h,
                                 OwnerWindow(), nullptr, GetModuleHandleW(nullptr), this);
  if (!created) throw FrameworkError("form " + design_.name + " could not be made");
  hwnd_ = created;
  if (design_.iconResource) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(design_.iconResource));
    if (icon) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  RegisterLoadedForm(this);
  DispatchGuard guard(*this);
  try {
    BuildControls();
  } catch (...) {
    unloading_ = true;
    UnregisterLoadedForm(this);
    DestroyWindows();
    unloading_ = false;
    throw;
  }
  if (Form_Load) Form_Load();
}

void Form::BuildControls() {
  // Objects first, so containers can be found whatever the order of the design.
  int seq = 0;
  for (const ControlDesign& d : design_.controls) {
    std::unique_ptr<Control> c;
    switch (d.kind) {
      case ControlKind::Label: c = std::make_unique<Label>(*this, d); break;
      case ControlKind::Image: c = std::make_unique<Image>(*this, d); break;
      case ControlKind::Shape: c = std::make_unique<Shape>(*this, d); break;
      case ControlKind::ComboBox: c = std::make_unique<ComboBox>(*this, d); break;
      case ControlKind::PictureBox: c = std::make_unique<PictureBox>(*this, d); break;
      case ControlKind::Timer: c = std::make_unique<Timer>(*this, d); break;
      case ControlKind::User: {
        if (!d.factory) throw FrameworkError("user control " + d.name + " has no maker");
        std::unique_ptr<UserControl> u = d.factory();
        if (!u) throw FrameworkError("user control " + d.name + " could not be made");
        u->Bind(*this, d);
        c = std::move(u);
        break;
      }
    }
    if (Find(d.name, d.index)) throw FrameworkError("control " + d.name + " declared twice");
    if (c->tabIndex_ < 0) c->tabIndex_ = seq;
    ++seq;
    controls_.push_back(std::move(c));
  }
  for (auto& c : controls_) {
    if (c->design_.parent.empty()) continue;
    Control* box = Find(c->design_.parent, c->design_.parentIndex);
    if (!box || !box->IsContainer() || box == c.get())
      throw FrameworkError("control " + c->name_ + " has no container " + c->design_.parent);
    c->SetContainer(box);
  }
  // Windows next, each container before what it holds.
  std::vector<Control*> pending;
  for (auto& c : controls_) pending.push_back(c.get());
  std::vector<Control*> made;
  while (!pending.empty()) {
    bool progress = false;
    for (auto it = pending.begin(); it != pending.end();) {
      Control* c = *it;
      if (c->Container() && std::find(made.begin(), made.end(), c->Container()) == made.end()) {
        ++it;
        continue;
      }
      HWND parent = c->Container() ? c->Container()->ContainerWindow() : hwnd_;
      if (auto* u = dynamic_cast<UserControl*>(c)) {
        u->Initialize();
        u->Create(parent);
        if (u->design_.saved) u->ReadProperties(*u->design_.saved);
        else u->InitProperties();
        u->Resize();
        if (u->visible_) ShowWindow(u->hwnd_, SW_SHOWNA);
      } else {
        c->Create(parent);
      }
      made.push_back(c);
      it = pending.erase(it);
      progress = true;
    }
    if (!progress) throw FrameworkError("controls inside each other in a circle");
  }
  UpdateDefaultDisplay();
}

void Form::DestroyWindows() {
  for (auto& c : controls_)
    if (auto* u = dynamic_cast<UserControl*>(c.get())) {
      try {
        u->Terminate();
      } catch (...) {
        Report("a user control failed while ending\n");
      }
    }
  // Contents before their containers: the reverse of the design order is not enough, so
  // first everything inside a container, then the rest.
  for (auto& c : controls_)
    if (c->Container()) c->Destroy();
  for (auto& c : controls_)
    if (!c->Container()) c->Destroy();
  mouseControl_ = nullptr;
  lastFocus_ = nullptr;
  HWND h = hwnd_;
  hwnd_ = nullptr;
  if (h && IsWindow(h)) {
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    DestroyWindow(h);
  }
  for (auto& c : controls_) retired_.push_back(std::move(c));
  controls_.clear();
  if (dispatchDepth_ == 0) retired_.clear();
}

void Form::Show(bool modal) {
  Load();
  if (!hwnd_) return;  // Form_Load unloaded it
  const bool child = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) != 0;
  ShowWindow(hwnd_, child ? SW_SHOWNA : SW_SHOW);
  if (!child) SetForegroundWindow(hwnd_);
  if (!FocusedControl()) {
    try {
      TabFocus(true);
    } catch (...) {
    }
  }
  if (!modal) return;
  for (Form* f : LoadedForms())
    if (f != this && f->hWnd() && IsWindowEnabled(f->hWnd())) {
      EnableWindow(f->hWnd(), FALSE);
      disabledByModal_.push_back(f->hWnd());
    }
  modal_ = true;
  RunNestedLoop([this] { return !hwnd_ || !IsWindowVisible(hwnd_); });
  modal_ = false;
  EnableOthers();
}

void Form::EnableOthers() {
  // Before the modal form hides or goes, so that the activation returns to the program's
  // own form rather than to some other program's window.
  for (HWND h : disabledByModal_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  disabledByModal_.clear();
}

void Form::Hide() {
  if (!hwnd_) return;
  EnableOthers();
  ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

bool Form::Unload(UnloadMode mode) {
  if (!hwnd_ || unloading_) return true;
  DispatchGuard guard(*this);
  int cancel = 0;
  if (Form_QueryUnload) Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  if (!hwnd_ || unloading_) return true;  // the handler unloaded it already
  if (Form_Unload) Form_Unload(cancel);
  if (cancel) return false;
  if (!hwnd_ || unloading_) return true;
  unloading_ = true;
  EnableOthers();
  UnregisterLoadedForm(this);
  DestroyWindows();
  unloading_ = false;
  return true;
}

// --- events ---

void Form::OnClick(const std::string& control, std::function<void(int)> h) {
  handlers_.emplace(Key(control, "Click"), [h](int i, EventArgs&) { h(i); });
}
void Form::OnDblClick(const std::string& control, std::function<void(int)> h) {
  handlers_.emplace(Key(control, "DblClick"), [h](int i, EventArgs&) { h(i); });
}
namespace {
std::function<void(int, EventArgs&)> MouseWrap(Form::MouseHandler h) {
  return [h](int i, EventArgs& a) {
    if (a.size() >= 4) h(i, static_cast<int>(a[0]), static_cast<int>(a[1]), a[2], a[3]);
  };
}
}  // namespace
void Form::OnMouseDown(const std::string& control, MouseHandler h) { handlers_.emplace(Key(control, "MouseDown"), MouseWrap(h)); }
void Form::OnMouseUp(const std::string& control, MouseHandler h) { handlers_.emplace(Key(control, "MouseUp"), MouseWrap(h)); }
void Form::OnMouseMove(const std::string& control, MouseHandler h) { handlers_.emplace(Key(control, "MouseMove"), MouseWrap(h)); }
void Form::OnTimer(const std::string& control, std::function<void(int)> h) {
  handlers_.emplace(Key(control, "Timer"), [h](int i, EventArgs&) { h(i); });
}
void Form::OnChange(const std::string& control, std::function<void(int)> h) {
  handlers_.emplace(Key(control, "Change"), [h](int i, EventArgs&) { h(i); });
}
void Form::OnEvent(const std::string& control, const std::string& event,
                   std::function<void(int, EventArgs&)> h) {
  handlers_.emplace(Key(control, event), std::move(h));
}

void Form::RaiseControlEvent(Control& c, const std::string& event, EventArgs& args) {
  DispatchGuard guard(*this);
  const std::string key = Key(c.Name(), event);
  const int index = c.Index();
  std::vector<std::function<void(int, EventArgs&)>> hs;
  auto range = handlers_.equal_range(key);
  for (auto it = range.first; it != range.second; ++it) hs.push_back(it->second);
  for (auto& h : hs) {
    try {
      h(index, args);
    } catch (...) {
      Report("an event handler failed\n");
    }
  }
}

void Form::RaiseControlEvent(Control& c, const std::string& event) {
  EventArgs none;
  RaiseControlEvent(c, event, none);
}

Form::DispatchGuard::DispatchGuard(Form& f) : form_(f) { ++form_.dispatchDepth_; }
Form::DispatchGuard::~DispatchGuard() {
  if (--form_.dispatchDepth_ == 0) form_.retired_.clear();
}

// --- properties ---

std::string Form::Caption() const {
  if (!hwnd_) return design_.caption;
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd_, w.data(), n + 1);
  w.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
  return Narrow(w);
}

void Form::SetCaption(const std::string& utf8) {
  design_.caption = utf8;
  if (hwnd_) SetWindowTextW(hwnd_, Widen(utf8).c_str());
}

void Form::SetBorderStyle(qv::BorderStyle b) {
  border_ = b;
  if (!hwnd_) return;
  DWORD style = 0, ex = 0;
  StyleFor(b, design_.controlBox, style, ex);
  const LONG old = GetWindowLongW(hwnd_, GWL_STYLE);
  // Keep what is not a matter of the border: visibility, child state.
  const LONG keep = old & (WS_VISIBLE | WS_CHILD | WS_DISABLED);
  if (old & WS_CHILD) style &= ~static_cast<DWORD>(WS_POPUP);
  SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style) | keep);
  SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ex));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace {
RECT OuterRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  if (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

int Form::Left() const { return hwnd_ ? OuterRect(hwnd_).left * TwipsPerPixelX() : design_.left; }
int Form::Top() const { return hwnd_ ? OuterRect(hwnd_).top * TwipsPerPixelY() : design_.top; }
int Form::Width() const {
  if (!hwnd_) return design_.clientWidth;
  RECT r = OuterRect(hwnd_);
  return (r.right - r.left) * TwipsPerPixelX();
}
int Form::Height() const {
  if (!hwnd_) return design_.clientHeight;
  RECT r = OuterRect(hwnd_);
  return (r.bottom - r.top) * TwipsPerPixelY();
}

void Form::Move(int left, int top, std::optional<int> width, std::optional<int> height) {
  if (!hwnd_) throw FrameworkError("form " + design_.name + " is not loaded");
  const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
  RECT r = OuterRect(hwnd_);
  const int w = width ? TwipsToPixels(*width, tx) : r.right - r.left;
  const int h = height ? TwipsToPixels(*height, ty) : r.bottom - r.top;
  if (w < 0 || h < 0) throw FrameworkError("negative form size");
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(left, tx), TwipsToPixels(top, ty), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetWidth(int twips) { Move(Left(), Top(), twips, Height()); }
void Form::SetHeight(int twips) { Move(Left(), Top(), Width(), twips); }

int Form::ScaleWidth() const {
  if (!hwnd_) return scaleMode_ == ScaleMode::Twips ? design_.clientWidth : TwipsToPixels(design_.clientWidth, TwipsPerPixelX());
  RECT c{};
  GetClientRect(hwnd_, &c);
  return PixelsToScale(c.right, scaleMode_, TwipsPerPixelX());
}

int Form::ScaleHeight() const {
  if (!hwnd_) return scaleMode_ == ScaleMode::Twips ? design_.clientHeight : TwipsToPixels(design_.clientHeight, TwipsPerPixelY());
  RECT c{};
  GetClientRect(hwnd_, &c);
  return PixelsToScale(c.bottom, scaleMode_, TwipsPerPixelY());
}

void Form::SetBackColor(Colour c) {
  backColor_ = c;
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  for (auto& ctl : controls_)
    if (auto* u = dynamic_cast<UserControl*>(ctl.get())) {
      AmbientProperties a = u->Ambient();
      a.BackColor = c;
      u->SetAmbient(a, "BackColor");
    }
}

void Form::SetDefaultControl(const std::string& name, int index) {
  defaultName_ = name;
  defaultIndex_ = index;
  if (hwnd_) UpdateDefaultDisplay();
}

void Form::SetMousePointer(MousePointer p, int iconResource) {
  pointer_ = p;
  pointerIcon_ = iconResource;
}

int Form::TwipsPerPixelX() const { return qv::TwipsPerPixelX(); }
int Form::TwipsPerPixelY() const { return qv::TwipsPerPixelY(); }

// --- controls ---

Control* Form::Find(const std::string& name, int index) const {
  for (auto& c : controls_)
    if (c->name_ == name && c->index_ == index) return c.get();
  return nullptr;
}

Control& Form::Ctl(const std::string& name, int index) const {
  if (Control* c = Find(name, index)) return *c;
  throw FrameworkError("no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : std::string()) +
                       " on " + design_.name);
}

std::vector<int> Form::Indices(const std::string& name) const {
  std::vector<int> out;
  for (auto& c : controls_)
    if (c->name_ == name && c->index_ >= 0) out.push_back(c->index_);
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<Control*> Form::Controls() const {
  std::vector<Control*> out;
  for (auto& c : controls_) out.push_back(c.get());
  return out;
}

Control* Form::FocusedControl() const {
  // The nearest control up the focus window's parents (a combo box's edit field, a control
  // inside a frame panel).
  for (HWND h = GetFocus(); h && h != hwnd_; h = GetParent(h)) {
    for (auto& c : controls_)
      if (c->hWnd() == h) return c.get();
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

void Form::TabFocus(bool forward) {
  std::vector<FocusCandidate> candidates;
  int current = -1;
  Control* focused = FocusedControl();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    Control* c = controls_[i].get();
    HWND h = c->hWnd();
    FocusCandidate fc;
    fc.tabIndex = c->TabIndex();
    fc.canFocus = h && c->CanTakeFocus() && c->TabStop() && IsWindowVisible(h) && IsWindowEnabled(h);
    candidates.push_back(fc);
    if (c == focused) current = static_cast<int>(i);
  }
  int next = NextInTabOrder(candidates, current, forward);
  if (next >= 0) ::SetFocus(controls_[static_cast<std::size_t>(next)]->hWnd());
}

bool Form::RouteAccessKey(char key) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls_.size(); ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(),
                   [this](std::size_t a, std::size_t b) { return controls_[a]->TabIndex() < controls_[b]->TabIndex(); });
  for (std::size_t i : order) {
    auto* u = dynamic_cast<UserControl*>(controls_[i].get());
    if (!u || !u->hWnd() || !MatchesAccessKey(u->AccessKeys(), key)) continue;
    if (!IsWindowVisible(u->hWnd()) || !IsWindowEnabled(u->hWnd())) continue;
    DispatchGuard guard(*this);
    if (u->CanTakeFocus() && GetFocus() != u->hWnd()) ::SetFocus(u->hWnd());
    try {
      u->NotifyAccessKey(static_cast<unsigned char>(key));
    } catch (...) {
      Report("an access key handler failed\n");
    }
    return true;
  }
  return false;
}

void Form::NotifyFocusChange() { UpdateDefaultDisplay(); }

void Form::UpdateDefaultDisplay() {
  Control* focused = FocusedControl();
  auto* focusedButton = dynamic_cast<UserControl*>(focused);
  if (focusedButton && !focusedButton->DefaultCancel()) focusedButton = nullptr;
  for (auto& c : controls_) {
    auto* u = dynamic_cast<UserControl*>(c.get());
    if (!u) continue;
    const bool isDefault = !defaultName_.empty() && u->Name() == defaultName_ && u->Index() == defaultIndex_;
    const bool show = focusedButton ? u == focusedButton : isDefault;
    if (show == u->Ambient().DisplayAsDefault) continue;
    AmbientProperties a = u->Ambient();
    a.DisplayAsDefault = show;
    try {
      u->SetAmbient(a, "DisplayAsDefault");
    } catch (...) {
      Report("an ambient change handler failed\n");
    }
  }
}

void Form::RefreshTouchedImages() {
  for (auto& c : controls_) {
    if (auto* p = dynamic_cast<PictureBox*>(c.get())) {
      if (p->Surface().TakeTouched() && p->hWnd()) InvalidateRect(p->hWnd(), nullptr, FALSE);
    } else if (auto* u = dynamic_cast<UserControl*>(c.get())) {
      if (u->Image().TakeTouched() && u->hWnd()) InvalidateRect(u->hWnd(), nullptr, FALSE);
    }
  }
}

// --- painting and mouse for container windows ---

void Form::InvalidateControl(const Control& c) {
  if (!hwnd_) return;
  HWND window = c.Container() ? c.Container()->ContainerWindow() : hwnd_;
  if (!window) return;
  RECT r = c.PixelRect();
  InvalidateRect(window, &r, FALSE);
}

void Form::PaintDrawnControls(HDC dc, const Control* container, POINT origin) {
  for (auto& c : controls_) {
    if (c->Container() != container || c->hWnd() || !c->Visible() || c->Kind() == ControlKind::Timer) continue;
    RECT r = c->PixelRect();
    OffsetRect(&r, origin.x, origin.y);
    try {
      c->PaintOn(dc, r);
    } catch (...) {
      Report("a control failed to draw\n");
    }
  }
}

Control* Form::HitTestDrawn(const Control* container, POINT pixel) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = it->get();
    if (c->Container() != container || c->hWnd() || !c->Visible() || !c->Enabled()) continue;
    if (c->Kind() != ControlKind::Label && c->Kind() != ControlKind::Image) continue;  // shapes take no input
    RECT r = c->PixelRect();
    if (PtInRect(&r, pixel)) return c;
  }
  return nullptr;
}

void Form::PaintContainer(HDC dc, Control* container, HWND window, const std::function<void(HDC)>& background) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, client.right, client.bottom);
  if (!mem || !bmp) {
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    background(dc);
    PaintDrawnControls(dc, container, POINT{0, 0});
    return;
  }
  HGDIOBJ old = SelectObject(mem, bmp);
  background(mem);
  PaintDrawnControls(mem, container, POINT{0, 0});
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

bool Form::HandleContainerMessage(Control* container, HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (msg == WM_COMMAND) {
    HWND from = reinterpret_cast<HWND>(lp);
    if (!from) return false;
    for (auto& c : controls_)
      if (c->hWnd() == from)
        if (auto* combo = dynamic_cast<ComboBox*>(c.get())) {
          combo->HandleCommand(HIWORD(wp));
          return true;
        }
    return false;
  }
  if (msg == WM_SETCURSOR) {
    // The application-wide pointer wins over every window of the program, children included.
    if (HCURSOR app = AppCursor(); app && LOWORD(lp) == HTCLIENT) {
      SetCursor(app);
      result = TRUE;
      return true;
    }
    if (LOWORD(lp) != HTCLIENT || reinterpret_cast<HWND>(wp) != window) return false;
    HCURSOR cursor = nullptr;
    {
      POINT pt{};
      GetCursorPos(&pt);
      ScreenToClient(window, &pt);
      if (Control* c = HitTestDrawn(container, pt)) cursor = c->CursorFor();
    }
    if (!cursor && container) cursor = container->CursorFor();
    if (!cursor) cursor = CursorForPointer(pointer_, pointerIcon_);
    if (!cursor) cursor = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(cursor);
    result = TRUE;
    return true;
  }

  const int button = ButtonOfMessage(msg);
  const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
  const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
  const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
  const bool move = msg == WM_MOUSEMOVE;
  if (!down && !up && !dbl && !move) return false;
  POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};

  // The target: a drawn control under the mouse (or the one holding the mouse), else a
  // picture box itself; the form's own events otherwise; user controls handle their own.
  Control* target = nullptr;
  RECT rect{};
  if ((up || move) && mouseControl_ && (mouseControl_->Container() == container || mouseControl_ == container)) {
    target = mouseControl_;
  } else {
    target = HitTestDrawn(container, pt);
  }
  if (!target && container && container->Kind() == ControlKind::PictureBox) target = container;
  if (!target && container) return false;

  ScaleMode scale = container ? ScaleMode::Twips : scaleMode_;
  if (target) {
    if (target == container) {
      GetClientRect(window, &rect);
      scale = static_cast<PictureBox*>(container)->GetScaleMode();
    } else {
      rect = target->PixelRect();
    }
  }
  const double x = PixelsToScale(pt.x - rect.left, scale, TwipsPerPixelX());
  const double y = PixelsToScale(pt.y - rect.top, scale, TwipsPerPixelY());
  EventArgs args{static_cast<double>(button), static_cast<double>(ShiftState() & 7), x, y};

  if (!target) {
    if (down && Form_MouseDown) {
      DispatchGuard guard(*this);
      try {
        Form_MouseDown(button, ShiftState() & 7, x, y);
      } catch (...) {
        Report("a form mouse handler failed\n");
      }
    }
    return true;
  }
  if (down || dbl) {
    mouseControl_ = target;
    SetCapture(window);
    if (dbl) RaiseControlEvent(*target, "DblClick");
    else RaiseControlEvent(*target, "MouseDown", args);
  } else if (move) {
    args[0] = ButtonsOf(wp);
    RaiseControlEvent(*target, "MouseMove", args);
  } else if (up) {
    const bool wasHeld = mouseControl_ == target;
    if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
      mouseControl_ = nullptr;
      if (GetCapture() == window) ReleaseCapture();
    }
    RaiseControlEvent(*target, "MouseUp", args);
    RECT inside = target == container ? rect : target->PixelRect();
    if (button == 1 && wasHeld && PtInRect(&inside, pt)) RaiseControlEvent(*target, "Click");
  }
  return true;
}

// --- the window ---

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || (self->hwnd_ && self->hwnd_ != hwnd)) return DefWindowProcW(hwnd, msg, wp, lp);
  DispatchGuard guard(*self);
  try {
    return self->Handle(hwnd, msg, wp, lp);
  } catch (...) {
    Report("a form handler failed\n");
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT Form::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Unload(UnloadMode::FormControlMenu);
      return 0;
    case WM_DESTROY:
      if (!unloading_ && hwnd_ == hwnd) {
        // Destroyed from outside (a parent window went away): the form unloads now, and
        // cannot refuse.
        unloading_ = true;
        int cancel = 0;
        try {
          if (Form_QueryUnload) Form_QueryUnload(cancel, UnloadMode::AppWindows);
          cancel = 0;
          if (Form_Unload) Form_Unload(cancel);
        } catch (...) {
          Report("an unload handler failed\n");
        }
        UnregisterLoadedForm(this);
        DestroyWindows();
        unloading_ = false;
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintContainer(dc, nullptr, hwnd, [this, hwnd](HDC target) {
        RECT r{};
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(ToColorRef(backColor_));
        FillRect(target, &r, b);
        DeleteObject(b);
      });
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      if (Form_Resize) Form_Resize();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(hwnd, f)) lastFocus_ = f;
        if (Form_Deactivate) Form_Deactivate();
      } else {
        if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd, lastFocus_) && IsWindowVisible(lastFocus_)) {
          ::SetFocus(lastFocus_);
        } else {
          ::SetFocus(hwnd);
          TabFocus(true);
        }
        if (Form_Activate) Form_Activate();
      }
      return 0;
    case WM_TIMER:
      for (auto& c : controls_)
        if (c->Kind() == ControlKind::Timer && reinterpret_cast<UINT_PTR>(c.get()) == wp) {
          static_cast<Timer*>(c.get())->Tick();
          break;
        }
      return 0;
    case WM_COMMAND:
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MOUSEMOVE: {
      LRESULT result = 0;
      if (HandleContainerMessage(nullptr, hwnd, msg, wp, lp, result)) return result;
      break;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qv
