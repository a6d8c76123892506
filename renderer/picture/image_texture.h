// One alo picture file turned into one mipmapped OpenGL texture.
#pragma once
#include <cstdint>

#include "renderer/picture/picture_memory.h"

namespace qv::renderer {

class ImageTexture {
  public:
    ImageTexture() = default;
    ~ImageTexture() { Release(); }
    ImageTexture(const ImageTexture&) = delete;
    ImageTexture& operator=(const ImageTexture&) = delete;

    // Gives back the texture name, if any.
    void Release();
    // Replaces any texture with a fresh, bound one without an image. Always true.
    bool Create(const char* name);
    // True only when the texture holds the file's picture. A file of the size and digest of
    // the one the texture was last built from keeps the texture as it is (no new name, no
    // mipmap build).
    // On false the object holds a fresh texture without an image; the previous picture is gone.
    bool Load(const char* name);
    void Bind() const;

    const char* FileName() const { return fileName; }
    // Why the last Load returned false ("" after one that succeeded).
    const char* FailureText() const { return failure_; }
    std::uint32_t TextureName() const { return textureName; }
    std::int32_t Width() const { return width; }
    std::int32_t Height() const { return height; }

  private:
    bool Fail(const char* name, const char* why);

    char fileName[64] = {};
    std::uint32_t textureName = 0;  // OpenGL name + 1; 0 when there is none
    std::int32_t width = 0;
    std::int32_t height = 0;
    PictureMemory memory_;  // what tells the bytes the texture was built from
    const char* failure_ = "";
};

}  // namespace qv::renderer
