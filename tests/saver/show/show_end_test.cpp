// How a show with the real renderer ends, as the host starts it: a show that locks the session
// ends when another program gets in front of it, one that does not runs on; the saver ends the
// moment its renderer has, and takes the renderer with it however it ends itself; Escape
// reaches the show without anyone giving it the focus.
#include "saver_show_fixture.h"

#include <memory>

namespace qv::test {
namespace {

// A text value of the user's registry set for the test, and put back as it was.
class UserSetting {
  public:
    UserSetting(const char* key, const char* name, const char* value) : key_(key), name_(name) {
        char old[64] = "";
        DWORD size = sizeof old;
        had_ =
            RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
        old_ = old;
        Set(value);
    }
    UserSetting(const UserSetting&) = delete;
    ~UserSetting() {
        if (had_)
            Set(old_.c_str());
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key_, name_);
    }

  private:
    void Set(const char* value) {
        EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key_, name_, REG_SZ, value,
                                  static_cast<DWORD>(strlen(value) + 1)),
                  ERROR_SUCCESS);
    }
    const char* key_;
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// The user's "On resume, display logon screen", where the system keeps it.
UserSetting LockOnResume(bool on) {
    return {"Control Panel\\Desktop", "ScreenSaverIsSecure", on ? "1" : "0"};
}

bool RendererShown() {
    HWND r = Renderer();
    return r && IsWindowVisible(r);
}

// Another program's window that takes the foreground, as a passer-by's Alt+Tab would.
class WindowInFront {
  public:
    WindowInFront() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvWindowInFront";
        RegisterClassA(&wc);
        taken_ = GetTickCount();
        window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "in front", WS_POPUP | WS_VISIBLE, 100,
                                  100, 200, 150, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(window_);
    }
    ~WindowInFront() { DestroyWindow(window_); }
    DWORD Taken() const { return taken_; }

  private:
    HWND window_;
    DWORD taken_;
};

class ShowEnd : public SaverShow {
  protected:
    void SetUp() override {
        SaverShow::SetUp();
        if (copies_.withRealRenderer.empty()) GTEST_SKIP() << "no renderer built";
    }
    // A show started as the host starts it, seen on the screen.
    std::unique_ptr<Process> StartShow() {
        auto saver = StartSaver(copies_.withRealRenderer, "/s");
        EXPECT_TRUE(WaitUntil(RendererShown, 30000)) << "no show";
        return saver;
    }
    // The programs started from here run their windows' activation themselves, as on a desktop,
    // rather than wait for a window manager that this display does not have.
    UserSetting unmanaged_{"Software\\Wine\\X11 Driver", "Managed", "N"};

    // Whatever a failed case left running is ended, so the next case starts clean.
    void TearDown() override {
        for (int n = 0; n < 4 && Renderer(); ++n) {
            PostMessageA(Renderer(), WM_CLOSE, 0, 0);
            Pump(500);
        }
        SaverShow::TearDown();
    }
};

TEST_F(ShowEnd, AnotherProgramInFrontEndsOnlyAShowThatLocks) {
    const struct {
        bool locking, hung;  // hung: a renderer that no longer answers, which the saver ends
    } cases[] = {{true, false}, {true, true}, {false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locking ? "locking" : "not locking") + (c.hung ? ", hung" : ""));
        UserSetting setting = LockOnResume(c.locking);
        auto saver = StartShow();
        // Past the first second, when a locking show that never had the foreground ends.
        Pump(1500);
        ASSERT_TRUE(saver->Running()) << "the show did not hold the foreground";
        const DWORD renderer = RendererPid();
        if (c.hung) SetThreadsSuspended(renderer, true);
        WindowInFront other;
        if (c.locking) {
            ASSERT_TRUE(saver->WaitEnd(10000)) << "a locking show ran on behind another program";
            std::printf("the saver ended %lu ms after another program took the foreground\n",
                        GetTickCount() - other.Taken());
            EXPECT_TRUE(WaitUntil([] { return Renderer() == nullptr; }, 5000));
        } else {
            Pump(2000);
            EXPECT_TRUE(saver->Running()) << "a show that does not lock ended without Escape";
            EndShow(*saver);
        }
    }
}

TEST_F(ShowEnd, ASaverEndedFromOutsideLeavesNoShowBehind) {
    auto saver = StartShow();
    DWORD rendererId = 0;
    GetWindowThreadProcessId(Renderer(), &rendererId);
    HANDLE renderer = OpenProcess(SYNCHRONIZE, FALSE, rendererId);
    ASSERT_NE(renderer, nullptr);
    Process kill("C:\\windows\\system32\\taskkill.exe", "/F /PID " + std::to_string(saver->Id()));
    ASSERT_TRUE(saver->WaitEnd(10000));
    EXPECT_EQ(WaitForSingleObject(renderer, 10000), WAIT_OBJECT_0) << "the show ran on without its saver";
    CloseHandle(renderer);
    EXPECT_TRUE(WaitUntil([] { return Renderer() == nullptr; }, 5000));
}

TEST_F(ShowEnd, EscapeTypedAtAShowStartedAsTheHostStartsItEndsIt) {
    WindowInFront userProgram;  // what the user worked in when the saver started
    auto saver = StartShow();
    Pump(500);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof keys[0]), 2u);
    EXPECT_TRUE(saver->WaitEnd(10000)) << "Escape went elsewhere: the show did not have the focus";
}

}  // namespace
}  // namespace qv::test
