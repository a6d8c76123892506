// What the shipped programs carry for Windows: the display name the screen-saver list shows,
// version information from VERSION, an icon, and a manifest that asks for real pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Module {
    HMODULE h = nullptr;
    explicit Module(const char* name) {
        const std::string path = std::string(QV_DIST_DIR) + "\\" + name;
        h = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ~Module() {
        if (h) FreeLibrary(h);
    }
};

std::string Manifest(HMODULE m) {
    HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (!r) return {};
    HGLOBAL g = LoadResource(m, r);
    const char* p = static_cast<const char*>(LockResource(g));
    return p ? std::string(p, SizeofResource(m, r)) : std::string();
}

// "a.b.c.d" from the fixed file information, read from the file as the shell reads it.
std::string FileVersion(const char* name, std::string* description) {
    const std::string path = std::string(QV_DIST_DIR) + "\\" + name;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info) return {};
    char* text = nullptr;
    if (VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\FileDescription",
                       reinterpret_cast<void**>(&text), &len) &&
        text)
        *description = text;
    char out[64];
    wsprintfA(out, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
              HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return out;
}

TEST(ProgramResources, SaverNamesItselfForTheScreenSaverList) {
    Module saver("Quorvale.scr");
    ASSERT_NE(saver.h, nullptr);
    char name[64] = {};
    ASSERT_GT(LoadStringA(saver.h, 1, name, sizeof name), 0);
    EXPECT_STREQ(name, "Quorvale");
}

TEST(ProgramResources, BothProgramsCarryIconVersionAndDpiAwareManifest) {
    for (const char* file : {"Quorvale.scr", "Quorvale.dll"}) {
        SCOPED_TRACE(file);
        Module m(file);
        ASSERT_NE(m.h, nullptr);
        EXPECT_NE(FindResourceA(m.h, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr);
        std::string description;
        EXPECT_EQ(FileVersion(file, &description), std::string(QV_VERSION_TEXT) + ".0");
        EXPECT_NE(description.find("Quorvale"), std::string::npos);
        const std::string manifest = Manifest(m.h);
        EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
        EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
        EXPECT_NE(manifest.find("version=\"" QV_VERSION_TEXT ".0\""), std::string::npos);
    }
}

}  // namespace
