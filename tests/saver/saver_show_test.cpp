// The shipped saver under Wine on the test display: a show from start to end with a stand-in
// renderer, the instance guard, the missing renderer, other modes and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "framework/ansi_text.h"
#include "framework/bitmap24.h"
#include "saver_driver.h"

namespace qv::test {
namespace {

const char kIni[] = "C:\\zantho_temp\\Quorvale.ini";
const char kAlo1[] = "C:\\zantho_temp\\Quorvale1.alo";
const char kAlo2[] = "C:\\zantho_temp\\Quorvale2.alo";
const wchar_t kMissingRenderer[] = L"Quorvale.dll が同じﾌｫﾙﾀﾞに見つかりません！";

// The known picture shown on the screen while the saver photographs it.
COLORREF PatternAt(int x, int y) {
  return RGB((x * 7) & 255, (y * 5) & 255, ((x / 64 + y / 64) & 1) ? 200 : 40);
}

LRESULT CALLBACK PatternProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = r.right;
    bi.bmiHeader.biHeight = -r.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> px(static_cast<size_t>(r.right) * r.bottom);
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) {
        COLORREF c = PatternAt(x, y);
        px[static_cast<size_t>(y) * r.right + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
      }
    SetDIBitsToDevice(dc, 0, 0, r.right, r.bottom, 0, 0, 0, r.bottom, px.data(), &bi, DIB_RGB_COLORS);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

class PatternWindow {
 public:
  PatternWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvPattern";
    RegisterClassA(&wc);
    w_ = CreateWindowExA(0, "QvPattern", "pattern", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                         GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(w_);
    WaitUntil([] { return false; }, 500);  // let X show it
  }
  ~PatternWindow() { DestroyWindow(w_); }

 private:
  HWND w_;
};

std::map<std::string, std::string> ReadReport(const std::string& path) {
  std::map<std::string, std::string> out;
  std::string text = ReadFileBytes(path), line;
  for (char c : text + "\n") {
    if (c != '\n') { line += c; continue; }
    auto eq = line.find('=');
    if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
    line.clear();
  }
  return out;
}

std::string IniValue(const char* key) {
  char buf[256] = "";
  GetPrivateProfileStringA("Settings", key, "", buf, sizeof buf, kIni);
  return buf;
}

HWND Renderer() { return FindWindowA(nullptr, "Quorvale_VC"); }
HWND ShowWindowOfSaver() { return FindWindowA(nullptr, "Quorvale_Main"); }

class SaverShow : public ::testing::Test {
 protected:
  void SetUp() override {
    copies_ = MakeSaverCopies();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    report_ = std::string(temp) + "qv_saver_e2e\\stub_report.txt";
    DeleteFileA(report_.c_str());
    ASSERT_EQ(Renderer(), nullptr) << "a renderer window is left from elsewhere";
  }

  std::unique_ptr<Process> StartSaver(const std::string& exe, const std::string& args, const std::string& env = "") {
    std::string e = env.empty() ? "QV_STUB_REPORT=" + report_ : env;
    auto p = std::make_unique<Process>(exe, args, e);
    EXPECT_TRUE(p->Started());
    return p;
  }

  // Ends the show as the user does and checks that the saver follows.
  void EndShow(Process& saver) {
    HWND r = Renderer();
    ASSERT_NE(r, nullptr);
    PostMessageA(r, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([] { return Renderer() == nullptr; }, 10000));
    DWORD gone = GetTickCount();
    ASSERT_TRUE(saver.WaitEnd(10000)) << "the saver outlived its renderer";
    std::printf("saver ended %lu ms after the renderer's window\n", GetTickCount() - gone);
  }

  WorkFolderGuard guard_;
  SaverCopies copies_;
  std::string report_;
};

TEST_F(SaverShow, ShowWritesEverythingBeforeTheRendererAndEndsWithIt) {
  PatternWindow pattern;
  DeleteFileA(kAlo1);
  WritePrivateProfileStringA("Settings", "Width", " 1", kIni);
  auto saver = StartSaver(copies_.withRenderer, "/s");
  ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));

  // What the renderer found when it started.
  auto seen = ReadReport(report_);
  EXPECT_EQ(seen["width"], "1024");
  EXPECT_EQ(seen["height"], "768");
  EXPECT_EQ(seen["alo1"], "1024x768x24");
  EXPECT_EQ(seen["alo2"], "256x256x24");

  // The saver window exists for the instance guard, but is never shown.
  HWND main = ShowWindowOfSaver();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));

  // The photograph is the picture on the screen, with no trace of the show.
  std::string bytes = ReadFileBytes(kAlo1);
  auto image = DecodeBitmap24(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 1024);
  ASSERT_EQ(image->height, 768);
  int wrong = 0, magenta = 0;
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) {
      const uint8_t* p = &image->bgr[(static_cast<size_t>(y) * 1024 + x) * 3];
      COLORREF want = PatternAt(x, y);
      if (p[2] != GetRValue(want) || p[1] != GetGValue(want) || p[0] != GetBValue(want)) ++wrong;
      if (p[2] == 255 && p[1] == 0 && p[0] == 255) ++magenta;
    }
  EXPECT_LT(wrong, 1024 * 768 / 100) << "the capture is not the screen";
  EXPECT_EQ(magenta, 0) << "the capture shows the renderer";

  // The glow: grey, brightest in the middle, black at the corners.
  bytes = ReadFileBytes(kAlo2);
  auto glow = DecodeBitmap24(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ASSERT_TRUE(glow);
  ASSERT_EQ(glow->width, 256);
  auto at = [&](int x, int y) { return &glow->bgr[(static_cast<size_t>(y) * 256 + x) * 3]; };
  EXPECT_GT(at(128, 128)[1], 150);
  EXPECT_EQ(at(0, 0)[1], 0);
  EXPECT_EQ(at(255, 255)[1], 0);
  for (int i = 0; i < 256; i += 7) EXPECT_TRUE(at(i, i)[0] == at(i, i)[1] && at(i, i)[1] == at(i, i)[2]);

  EndShow(*saver);
  EXPECT_TRUE(FileThere(kAlo1)) << "the pictures stay after the show";
}

TEST_F(SaverShow, EmptyArgumentTextStartsAShowToo) {
  auto saver = StartSaver(copies_.withRenderer, "");
  ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
  EndShow(*saver);
}

TEST_F(SaverShow, SecondStartWhileAShowRunsEndsWithoutATrace) {
  auto first = StartSaver(copies_.withRenderer, "/s");
  ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
  std::string alo1 = ReadFileBytes(kAlo1), ini = ReadFileBytes(kIni);
  DeleteFileA(report_.c_str());

  for (const char* args : {"/s", "", "/c", "/p 1234"}) {
    auto second = StartSaver(copies_.withRenderer, args);
    EXPECT_TRUE(second->WaitEnd(10000)) << args;
    EXPECT_TRUE(WindowsOf(second->Id()).empty());
  }
  EXPECT_FALSE(FileThere(report_)) << "a second renderer was started";
  EXPECT_EQ(ReadFileBytes(kAlo1), alo1);
  EXPECT_EQ(ReadFileBytes(kIni), ini);
  EndShow(*first);
}

TEST_F(SaverShow, WithoutTheRendererShowsTheMessageAndEnds) {
  for (const char* args : {"/s", "/c", ""}) {
    WritePrivateProfileStringA("Settings", "Width", " 7", kIni);
    auto saver = StartSaver(copies_.withoutRenderer, args);
    std::optional<std::wstring> text;
    ASSERT_TRUE(WaitUntil([&] { return (text = MessageBoxText(saver->Id())).has_value(); }, 20000)) << args;
    EXPECT_EQ(*text, kMissingRenderer);
    CloseMessageBoxes(saver->Id());
    EXPECT_TRUE(saver->WaitEnd(10000)) << args;
    EXPECT_EQ(IniValue("Width"), "7") << "nothing written after the message";
    EXPECT_EQ(Renderer(), nullptr);
  }
}

TEST_F(SaverShow, OtherLettersEndWithoutAWindow) {
  DeleteFileA(report_.c_str());
  for (const char* args : {"/a", "/x 12", "/"}) {
    auto saver = StartSaver(copies_.withRenderer, args);
    EXPECT_TRUE(saver->WaitEnd(10000)) << args;
    EXPECT_FALSE(FileThere(report_)) << args;
  }
  EXPECT_TRUE(FileThere("C:\\zantho_temp")) << "the working folder is made first";
}

TEST_F(SaverShow, BadSettingsValuesStillGiveAShow) {
  CreateDirectoryA("C:\\zantho_temp", nullptr);
  std::string garbage(600, 'z');
  WritePrivateProfileStringA("Settings", ToAnsi("BGM区分")->c_str(), "99999999999", kIni);
  WritePrivateProfileStringA("Settings", ToAnsi("BGMﾘﾋﾟｰﾄ")->c_str(), "abc", kIni);
  WritePrivateProfileStringA("Settings", ToAnsi("BGMﾌｧｲﾙ")->c_str(), garbage.c_str(), kIni);
  auto saver = StartSaver(copies_.withRenderer, "/s");
  ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
  EndShow(*saver);
}

TEST_F(SaverShow, LockedOrReadOnlyPicturesDoNotStopTheShow) {
  CreateDirectoryA("C:\\zantho_temp", nullptr);
  WriteFileBytes(kAlo1, "stale");
  WriteFileBytes(kAlo2, "stale");
  SetFileAttributesA(kAlo2, FILE_ATTRIBUTE_READONLY);
  HANDLE locked = CreateFileA(kAlo1, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  auto saver = StartSaver(copies_.withRenderer, "/s");
  ASSERT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
  CloseHandle(locked);
  EXPECT_TRUE(ReadFileBytes(kAlo1) == "stale") << "a locked picture cannot be replaced";
  EndShow(*saver);
  SetFileAttributesA(kAlo2, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SaverShow, WorkingFolderThatIsAFileDoesNotStopTheShow) {
  // Move the real folder aside for the test, and put it back afterwards.
  const char* aside = "C:\\zantho_temp.qvtest";
  bool had = FileThere("C:\\zantho_temp");
  if (had) ASSERT_TRUE(MoveFileA("C:\\zantho_temp", aside));
  WriteFileBytes("C:\\zantho_temp", "not a folder");
  {
    auto saver = StartSaver(copies_.withRenderer, "/s");
    EXPECT_TRUE(WaitUntil([] { return Renderer() != nullptr; }, 20000));
    auto seen = ReadReport(report_);
    EXPECT_EQ(seen["alo1"], "missing");
    if (Renderer()) EndShow(*saver);
  }
  DeleteFileA("C:\\zantho_temp");
  if (had) MoveFileA(aside, "C:\\zantho_temp");
}

}  // namespace
}  // namespace qv::test
