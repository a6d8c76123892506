#include "renderer/picture/image_texture.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <memory>
#include <new>

#include "renderer/picture/alo_format.h"
#include "renderer/picture/picture_memory.h"

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif

namespace qv::renderer {
namespace {

// ReadFile takes 32-bit counts; large pixel arrays are read in pieces.
bool ReadExactly(HANDLE file, std::uint8_t* into, std::uint64_t count) {
    while (count > 0) {
        const DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
        DWORD got = 0;
        if (!ReadFile(file, into, chunk, &got, nullptr) || got != chunk) return false;
        into += got;
        count -= got;
    }
    return true;
}

struct FileCloser {
    HANDLE h;
    ~FileCloser() { CloseHandle(h); }
};

}  // namespace

void ImageTexture::Release() {
    if (textureName != 0) {
        const GLuint name = textureName - 1;
        glDeleteTextures(1, &name);
        textureName = 0;
    }
    memory_.Forget();
}

bool ImageTexture::Create(const char* name) {
    Release();
    std::snprintf(fileName, sizeof fileName, "%s", name);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    textureName = texture + 1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return true;
}

bool ImageTexture::Load(const char* name) {
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Fail(name, "the file cannot be opened");
    FileCloser closer{handle};

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) return Fail(name, "the file has no size");
    const std::uint64_t fileSize = static_cast<std::uint64_t>(size.QuadPart);

    // Every size the headers claim is checked against the file before memory is taken.
    AloLayout layout;
    std::uint8_t fileHeader[kAloFileHeaderSize];
    if (!ReadExactly(handle, fileHeader, sizeof fileHeader))
        return Fail(name, AloRejectText(AloReject::ShortFileHeader));
    if (const AloReject reject = CheckAloFileHeader(fileHeader, sizeof fileHeader, fileSize, &layout);
        reject != AloReject::None)
        return Fail(name, AloRejectText(reject));
    std::uint64_t imageSize = 0;
    try {
        const std::size_t blockLength = layout.pixelOffset - kAloFileHeaderSize;
        std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[blockLength]);
        if (!ReadExactly(handle, block.get(), blockLength))
            return Fail(name, AloRejectText(AloReject::ShortHeaderBlock));
        if (const AloReject reject = CheckAloHeaderBlock(block.get(), blockLength, fileSize, &layout);
            reject != AloReject::None)
            return Fail(name, AloRejectText(reject));
        width = layout.width;
        height = layout.height;
        for (int k = 3; k >= 0; --k) imageSize = imageSize << 8 | block[20 + k];
    } catch (const std::bad_alloc&) {
        return Fail(name, "no memory for the header block");
    }

    // The headers and the pixels, read once more as a whole: a file whose size and digest are
    // those of the bytes the texture was built from keeps its texture and skips the mipmaps.
    const std::uint64_t used =
        layout.pixelOffset + (imageSize > layout.pixelBytes ? imageSize : layout.pixelBytes);
    const auto fromTheStart = [handle] {
        LARGE_INTEGER origin{};
        return SetFilePointerEx(handle, origin, nullptr, FILE_BEGIN) != FALSE;
    };
    if (memory_.Remembers()) {
        if (!fromTheStart()) return Fail(name, "the file cannot be read again");
        const PictureMemory::Outcome outcome = memory_.Check(
            used,
            [handle](std::uint8_t* into, std::size_t count) { return ReadExactly(handle, into, count); });
        if (outcome == PictureMemory::Outcome::Failed) return Fail(name, "the file ended early or no memory");
        if (outcome == PictureMemory::Outcome::Same) {
            failure_ = "";
            std::snprintf(fileName, sizeof fileName, "%s", name);
            Bind();
            return true;
        }
    }

    // Held only while the mipmaps are built.
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(used)]);
    if (!bytes) return Fail(name, "no memory for the picture");
    if (!fromTheStart() || !ReadExactly(handle, bytes.get(), used)) return Fail(name, "the file ended early");

    // Checked again on what was read: the file may have been rewritten in between.
    AloLayout read;
    if (const AloReject reject = CheckAlo(bytes.get(), static_cast<std::size_t>(used), &read);
        reject != AloReject::None)
        return Fail(name, AloRejectText(reject));
    Create(name);
    width = read.width;
    height = read.height;
    std::uint8_t* pixels = bytes.get() + read.pixelOffset;

    // Top-down files are turned so the picture still arrives upright, and turned back so the
    // remembered bytes are the file's.
    if (read.height < 0) FlipRows(pixels, read.rowBytes, read.rows);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, 3, read.width, static_cast<GLint>(read.rows),
                                          GL_BGR_EXT, GL_UNSIGNED_BYTE, pixels);
    if (read.height < 0) FlipRows(pixels, read.rowBytes, read.rows);
    // A texture left without its picture must not pass for a loaded one.
    if (built != 0) {
        failure_ = "the mipmaps cannot be built";
        return false;
    }
    memory_.Remember(bytes.get(), static_cast<std::size_t>(used));
    failure_ = "";
    return true;
}

bool ImageTexture::Fail(const char* name, const char* why) {
    failure_ = why;
    memory_.Forget();
    Create(name);
    return false;
}

void ImageTexture::Bind() const { glBindTexture(GL_TEXTURE_2D, textureName - 1); }

}  // namespace qv::renderer
