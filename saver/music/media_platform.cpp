#include "saver/music/media_platform.h"

namespace qv {
namespace {

// MCIERR_DEVICE_NOT_INSTALLED: what a machine without media devices answers.
constexpr int32_t kNoDevice = 256 + 50;

class NoMediaPlatform final : public MediaPlatform {
  public:
    int32_t SendString(const std::string&, std::string*, uint32_t) override { return kNoDevice; }
    bool GetErrorString(int32_t, std::string&, uint32_t) override { return false; }
    int32_t WaveOutDeviceCount() override { return 0; }
    int32_t PlayWaveSound(const std::string*, uint32_t) override { return 0; }
};

NoMediaPlatform noMedia;
MediaPlatform* installed = nullptr;

}  // namespace

MediaPlatform& CurrentMediaPlatform() { return installed ? *installed : noMedia; }

void SetMediaPlatform(MediaPlatform* platform) { installed = platform; }

}  // namespace qv
