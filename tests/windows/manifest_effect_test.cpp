// A program that carries one of the two application manifests (QV_MANIFEST_OF names which):
// the platform must read it as intended, giving per-monitor DPI awareness (real pixels) and,
// for the saver, the current common controls. A manifest with a slip in it would be ignored
// silently and leave the program scaled by the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using GetContext = HANDLE(WINAPI*)();
using AwarenessOf = int(WINAPI*)(HANDLE);

TEST(ManifestEffect, ProcessSeesRealPixels) {
    HMODULE user = LoadLibraryA("user32.dll");
    auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
    auto awarenessOf = reinterpret_cast<AwarenessOf>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(getContext && awarenessOf);
    EXPECT_EQ(awarenessOf(getContext()), 2) << "not per-monitor aware";  // DPI_AWARENESS_PER_MONITOR_AWARE
}

// The current common controls live in the side-by-side store; the system folder's copy is the
// old version, which is what a program without the dependency gets.
TEST(ManifestEffect, CommonControlsVersionFollowsTheManifest) {
    HMODULE controls = LoadLibraryA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(controls, path, MAX_PATH), 0u);
    CharLowerA(path);
    const bool sideBySide = std::strstr(path, "winsxs") != nullptr;
    EXPECT_EQ(sideBySide, std::strcmp(QV_MANIFEST_OF, "saver") == 0) << path;
}

}  // namespace
