// The picture loader against the real platform: real files, a real OpenGL context, real
// mipmap building.
#include "renderer/picture/image_texture.h"

#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "alo_test_files.h"
#include "gl_test_window.h"

namespace qv::renderer {
namespace {

using test::AloSpec;
using test::MakeAlo;
using test::Put32;

// A hidden window with an OpenGL context for the whole suite.
class GlContext : public ::testing::Environment {
  public:
    void SetUp() override {
        window_ = std::make_unique<qv::test::GlTestWindow>("qv_texture_test", 64, 64, false);
        ASSERT_TRUE(window_->Ready());
    }
    void TearDown() override { window_.reset(); }

  private:
    std::unique_ptr<qv::test::GlTestWindow> window_;
};

const auto* const kContext = ::testing::AddGlobalTestEnvironment(new GlContext);

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "qv_texture_test_" + name;
}

std::string WriteFile(const char* name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = TempPath(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

struct Level0 {
    GLint width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    const std::uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Level0 ReadLevel0(const ImageTexture& t) {
    Level0 l;
    t.Bind();
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &l.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &l.height);
    if (l.width > 0 && l.height > 0) {
        l.rgb.resize(static_cast<size_t>(l.width) * l.height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, l.rgb.data());
    }
    return l;
}

// Left half red, right half blue, top quarter of the picture green: skew or a flip shows.
std::vector<std::uint8_t> Marked(int width, int height, bool zeroImageSize) {
    AloSpec s;
    s.width = width;
    s.height = height;
    s.zeroImageSize = zeroImageSize;
    auto file = MakeAlo(s);
    const int rows = height < 0 ? -height : height;
    const int rowBytes = (3 * width + 3) / 4 * 4;
    for (int r = 0; r < rows; ++r) {
        const int pictureRowFromTop = height > 0 ? rows - 1 - r : r;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &file[54 + r * rowBytes + 3 * x];
            const bool top = pictureRowFromTop < rows / 4;
            p[0] = (!top && x >= width / 2) ? 255 : 0;  // blue
            p[1] = top ? 255 : 0;                       // green
            p[2] = (!top && x < width / 2) ? 255 : 0;   // red
        }
        for (int pad = 3 * width; pad < rowBytes; ++pad) file[54 + r * rowBytes + pad] = 0x77;
    }
    return file;
}

void ExpectMarkedUpright(const Level0& l) {
    ASSERT_GT(l.width, 0);
    ASSERT_GT(l.height, 0);
    // Texture row 0 is t = 0, the bottom of the picture.
    for (int y : {l.height / 20, l.height / 2, l.height * 7 / 10}) {
        const std::uint8_t* left = l.At(l.width / 8, y);
        const std::uint8_t* right = l.At(l.width * 7 / 8, y);
        EXPECT_GT(left[0], 200) << "row " << y;
        EXPECT_LT(left[2], 50) << "row " << y;
        EXPECT_GT(right[2], 200) << "row " << y;
        EXPECT_LT(right[0], 50) << "row " << y;
    }
    const std::uint8_t* top = l.At(l.width / 2, l.height - 1 - l.height / 20);
    EXPECT_GT(top[1], 200);
    EXPECT_LT(top[0], 50);
}

TEST(ImageTexture, LoadsDesktopSizedPictureUpright) {
    const std::string path = WriteFile("desk.alo", Marked(1024, 768, false));
    ImageTexture t;
    ASSERT_TRUE(t.Load(path.c_str()));
    EXPECT_EQ(t.Width(), 1024);
    EXPECT_EQ(t.Height(), 768);
    ExpectMarkedUpright(ReadLevel0(t));
    DeleteFileA(path.c_str());
}

TEST(ImageTexture, OddWidthLoadsWithoutSkewAlsoWithoutImageSize) {
    for (bool zero : {false, true}) {
        const std::string path = WriteFile("odd.alo", Marked(1366, 96, zero));
        ImageTexture t;
        ASSERT_TRUE(t.Load(path.c_str())) << "image size 0: " << zero;
        ExpectMarkedUpright(ReadLevel0(t));
        DeleteFileA(path.c_str());
    }
}

TEST(ImageTexture, TopDownPictureLoadsUpright) {
    const std::string path = WriteFile("topdown.alo", Marked(64, -64, false));
    ImageTexture t;
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));
    DeleteFileA(path.c_str());
}

TEST(ImageTexture, FailedLoadsLeaveAFreshTextureWithoutImage) {
    const std::string good = WriteFile("good.alo", Marked(64, 64, false));
    AloSpec cut;
    cut.width = 64;
    cut.height = 64;
    cut.dropTail = 100;
    auto notBm = MakeAlo({});
    notBm[0] = 'X';
    AloSpec deep;
    deep.bitCount = 32;
    auto liar = MakeAlo({});
    Put32(liar, 22, 0x7FFFFFFF);
    Put32(liar, 34, 0);
    const std::pair<const char*, std::vector<std::uint8_t>> bad[] = {{"cut.alo", MakeAlo(cut)},
                                                                     {"notbm.alo", notBm},
                                                                     {"deep.alo", MakeAlo(deep)},
                                                                     {"liar.alo", liar},
                                                                     {"empty.alo", {}}};
    for (const auto& [name, bytes] : bad) {
        const std::string path = WriteFile(name, bytes);
        ImageTexture t;
        ASSERT_TRUE(t.Load(good.c_str()));
        const GLuint before = t.TextureName() - 1;
        EXPECT_FALSE(t.Load(path.c_str())) << name;
        EXPECT_NE(t.TextureName(), 0u) << name;
        EXPECT_EQ(ReadLevel0(t).width, 0) << name << ": the previous picture must be gone";
        EXPECT_TRUE(t.TextureName() - 1 == before || !glIsTexture(before)) << name;
        // The file was closed: it can be deleted at once.
        EXPECT_TRUE(DeleteFileA(path.c_str())) << name;
    }
    ImageTexture missing;
    EXPECT_FALSE(missing.Load(TempPath("no_such_file.alo").c_str()));
    EXPECT_NE(missing.TextureName(), 0u);
    EXPECT_EQ(ReadLevel0(missing).width, 0);
    DeleteFileA(good.c_str());
}

TEST(ImageTexture, SecondLoadGivesBackTheFirstTextureName) {
    const std::string path = WriteFile("twice.alo", Marked(32, 32, false));
    ImageTexture t;
    ASSERT_TRUE(t.Load(path.c_str()));
    const GLuint first = t.TextureName() - 1;
    ImageTexture other;  // holds a name of its own so a deleted name is not simply reused
    ASSERT_TRUE(other.Create(path.c_str()));
    ASSERT_TRUE(t.Load(path.c_str()));
    const GLuint second = t.TextureName() - 1;
    EXPECT_TRUE(second == first || !glIsTexture(first));
    t.Release();
    EXPECT_EQ(t.TextureName(), 0u);
    EXPECT_FALSE(glIsTexture(second));
    t.Release();  // twice is harmless
    DeleteFileA(path.c_str());
}

// Marks the texture's level 0 in a corner with a pixel no picture here has, so a rebuild of
// the texture (which would overwrite it) shows.
void MarkLevel0(const ImageTexture& t) {
    const std::uint8_t magenta[3] = {255, 0, 255};
    t.Bind();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, magenta);
}

bool HasMark(const Level0& l) {
    return l.width > 0 && l.At(0, 0)[0] == 255 && l.At(0, 0)[1] == 0 && l.At(0, 0)[2] == 255;
}

TEST(ImageTexture, UnchangedFileKeepsItsTextureWithoutARebuild) {
    for (int height : {64, -64}) {  // a top-down file too: it is turned back after the build
        const std::string path = WriteFile("same.alo", Marked(64, height, false));
        ImageTexture t;
        ASSERT_TRUE(t.Load(path.c_str()));
        const std::uint32_t name = t.TextureName();
        MarkLevel0(t);
        ASSERT_TRUE(HasMark(ReadLevel0(t)));
        glBindTexture(GL_TEXTURE_2D, 0);
        ASSERT_TRUE(t.Load(path.c_str())) << height;
        EXPECT_EQ(t.TextureName(), name) << height;
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<std::uint32_t>(bound), name - 1) << "left bound, as a fresh load is";
        const Level0 l = ReadLevel0(t);
        EXPECT_TRUE(HasMark(l)) << height << ": the texture was built again";
        EXPECT_EQ(t.Width(), 64);
        EXPECT_EQ(t.Height(), height);

        // The same bytes under another name are the same picture; the name is the new one.
        const std::string copy = WriteFile("same_copy.alo", Marked(64, height, false));
        ASSERT_TRUE(t.Load(copy.c_str()));
        EXPECT_EQ(t.TextureName(), name);
        EXPECT_EQ(std::string(t.FileName()), copy.substr(0, 63));
        DeleteFileA(copy.c_str());
        DeleteFileA(path.c_str());
    }
}

// A picture rewritten in place with the same size and the same time stamp is still seen.
TEST(ImageTexture, RewrittenFileWithSameSizeAndTimeShowsTheNewPicture) {
    const std::string path = WriteFile("rewritten.alo", Marked(64, 64, false));
    ImageTexture t;
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));
    FILETIME written = {};
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    GetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);

    // The rows of a top-down file under a bottom-up header: the picture upside down, with
    // the same size and the same headers, only other pixel bytes.
    auto flipped = Marked(64, -64, false);
    Put32(flipped, 22, 64);
    WriteFile("rewritten.alo", flipped);
    h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
    CloseHandle(h);

    ASSERT_TRUE(t.Load(path.c_str()));
    const Level0 l = ReadLevel0(t);
    ASSERT_GT(l.width, 0);
    // Green is now at the bottom of the picture, t = 0.
    EXPECT_GT(l.At(l.width / 2, l.height / 20)[1], 200);
    EXPECT_LT(l.At(l.width / 2, l.height - 1 - l.height / 20)[1], 50);
    DeleteFileA(path.c_str());
}

// A broken file in between: the plain texture, then the good file builds the picture again
// although its bytes are those loaded before the break.
TEST(ImageTexture, GoodFileAfterABrokenOneIsBuiltAgain) {
    const auto good = Marked(64, 64, false);
    const std::string path = WriteFile("recover.alo", good);
    ImageTexture t;
    ASSERT_TRUE(t.Load(path.c_str()));
    WriteFile("recover.alo", std::vector<std::uint8_t>(good.begin(), good.begin() + 1000));
    EXPECT_FALSE(t.Load(path.c_str()));
    EXPECT_EQ(ReadLevel0(t).width, 0);
    WriteFile("recover.alo", good);
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));

    // The same when the texture was given back or replaced from outside.
    t.Release();
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));
    ASSERT_TRUE(t.Create(path.c_str()));
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));

    // A missing file forgets the picture too.
    const std::string gone = TempPath("recover_missing.alo");
    EXPECT_FALSE(t.Load(gone.c_str()));
    ASSERT_TRUE(t.Load(path.c_str()));
    ExpectMarkedUpright(ReadLevel0(t));
    DeleteFileA(path.c_str());
}

TEST(ImageTexture, KeepsAtMost63CharactersOfTheFileName) {
    const std::string longName(100, 'a');
    ImageTexture t;
    EXPECT_TRUE(t.Create(longName.c_str()));
    EXPECT_EQ(std::string(t.FileName()), longName.substr(0, 63));
}

}  // namespace
}  // namespace qv::renderer
