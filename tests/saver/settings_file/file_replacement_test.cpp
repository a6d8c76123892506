// A settings file replaced as a whole: whatever step fails, the old file stays whole and
// nothing is left beside it.
#include "saver/settings_file/file_replacement.h"

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace {

enum class Fault { None, State, Write, Move };

// Files in memory; the fault's step fails, a write after half of its bytes.
struct FakeFiles : FileOperations {
    struct File {
        std::string bytes;
        std::uint32_t attributes = 0;
        bool readOnly = false;
    };
    std::map<std::string, File> files;
    Fault fault = Fault::None;

    std::optional<FileState> State(const std::string& path) override {
        if (fault == Fault::State) return std::nullopt;
        auto f = files.find(path);
        if (f == files.end()) return FileState{};
        return FileState{true, f->second.readOnly, f->second.attributes};
    }
    bool WriteNew(const std::string& path, const std::string& bytes, std::uint32_t attributes) override {
        File& f = files[path] = File{"", attributes, false};
        f.bytes = fault == Fault::Write ? bytes.substr(0, bytes.size() / 2) : bytes;
        return fault != Fault::Write;
    }
    bool MoveOver(const std::string& from, const std::string& to) override {
        if (fault == Fault::Move || !files.count(from) || files[to].readOnly) return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void Remove(const std::string& path) override { files.erase(path); }
};

const std::string kPath = "C:\\zantho_temp\\Quorvale.ini";
const std::string kOld = "[Settings]\r\nWidth=1024\r\n";
const std::string kNew = "[Settings]\r\nWidth=3840\r\nHeight=2160\r\n";

TEST(FileReplacement, TheFileIsEitherWhollyNewOrWhollyOld) {
    struct Case {
        const char* what;
        bool exists, readOnly;
        Fault fault;
        bool replaced;
    } cases[] = {
        {"an existing file", true, false, Fault::None, true},
        {"a missing file", false, false, Fault::None, true},
        {"a read-only file", true, true, Fault::None, false},
        {"a file whose state cannot be told", true, false, Fault::State, false},
        {"a write that stops part-way", true, false, Fault::Write, false},
        {"a write part-way with no file yet", false, false, Fault::Write, false},
        {"a move that fails", true, false, Fault::Move, false},
    };
    for (const Case& c : cases) {
        FakeFiles fake;
        const std::uint32_t attributes = 0x22;  // hidden, archive
        if (c.exists) fake.files[kPath] = {kOld, attributes, c.readOnly};
        fake.fault = c.fault;
        EXPECT_EQ(ReplaceFileBytes(fake, kPath, kNew), c.replaced) << c.what;
        EXPECT_EQ(fake.files.size(), c.exists || c.replaced ? 1u : 0u) << c.what << ": a file left beside it";
        if (!c.exists && !c.replaced) continue;
        const FakeFiles::File& file = fake.files[kPath];
        EXPECT_EQ(file.bytes, c.replaced ? kNew : kOld) << c.what;
        EXPECT_EQ(file.attributes, c.exists ? attributes : 0u) << c.what;
        EXPECT_EQ(file.readOnly, c.readOnly) << c.what;
    }
}

}  // namespace
}  // namespace qv
