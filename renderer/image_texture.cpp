#include "image_texture.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <memory>
#include <new>

#include "alo_format.h"

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
    Create(name);
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FileCloser closer{handle};

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) return false;
    const std::uint64_t fileSize = static_cast<std::uint64_t>(size.QuadPart);

    // Every size the headers claim is checked against the file before memory is taken.
    AloLayout layout;
    std::uint8_t fileHeader[kAloFileHeaderSize];
    if (!ReadExactly(handle, fileHeader, sizeof fileHeader)) return false;
    if (CheckAloFileHeader(fileHeader, sizeof fileHeader, fileSize, &layout) != AloReject::None)
        return false;

    std::unique_ptr<std::uint8_t[]> block;
    std::unique_ptr<std::uint8_t[]> pixels;
    try {
        const std::size_t blockLength = layout.pixelOffset - kAloFileHeaderSize;
        block.reset(new std::uint8_t[blockLength]);
        if (!ReadExactly(handle, block.get(), blockLength)) return false;
        if (CheckAloHeaderBlock(block.get(), blockLength, fileSize, &layout) != AloReject::None)
            return false;
        width = layout.width;
        height = layout.height;
        pixels.reset(new std::uint8_t[layout.pixelBytes]);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!ReadExactly(handle, pixels.get(), layout.pixelBytes)) return false;

    // Top-down files are turned so the picture still arrives upright.
    if (layout.height < 0) FlipRows(pixels.get(), layout.rowBytes, layout.rows);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, 3, layout.width,
                                          static_cast<GLint>(layout.rows), GL_BGR_EXT,
                                          GL_UNSIGNED_BYTE, pixels.get());
    // A texture left without its picture must not pass for a loaded one.
    return built == 0;
}

void ImageTexture::Bind() const { glBindTexture(GL_TEXTURE_2D, textureName - 1); }

}  // namespace qv::renderer
