// Stored frame properties are drawn as they are, and captions come from anywhere: neither may
// crash, hang or read outside the image. The button's states take any sequence of input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "recording_canvas.h"
#include "saver/controls/access_key.h"
#include "saver/controls/frame_model.h"

namespace {

using namespace qv;
using namespace qv::controls;

// Reads values off the front of the input, zero once it runs out.
struct Bytes {
    const std::uint8_t* p;
    std::size_t n;
    template <class T>
    T Take() {
        T v{};
        const std::size_t k = n < sizeof v ? n : sizeof v;
        std::memcpy(&v, p, k);
        p += k;
        n -= k;
        return v;
    }
};

// A canvas that keeps pixels but only records shapes, so huge depths stay cheap.
class PixelOnlyCanvas : public testing::RecordingFrameCanvas {
  public:
    using RecordingFrameCanvas::RecordingFrameCanvas;
    void Rectangle(int, int, int, int) override { ++shapes; }
    void RoundRectangle(int, int, int, int, int, int) override { ++shapes; }
    long shapes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    PropertyBag bag;
    bag.Put("FrameStyle", in.Take<std::int32_t>() % 3);
    bag.Put("ShadowOpacity", in.Take<std::int16_t>());
    bag.Put("ShowShadow", (in.Take<std::uint8_t>() & 1) != 0);
    bag.Put("ShadowDepth", static_cast<std::int16_t>(in.Take<std::int16_t>() % 2000));
    bag.Put("BackColourIs", in.Take<std::int32_t>());
    bag.Put("BackColour", in.Take<std::int32_t>());
    bag.Put("CornerDepth", in.Take<std::int16_t>());
    const int w = in.Take<std::uint8_t>(), h = in.Take<std::uint8_t>();

    struct Host : FrameHost {
        explicit Host(int w, int h) : canvas(w, h), w(w), h(h) {}
        Colour AmbientBackColour() override { return Rgb(236, 233, 216); }
        void ReportChanged(const std::string&) override {}
        FrameCanvas* Canvas() override { return &canvas; }
        FrameSizeTwips Size() override { return {w * 15.0, h * 15.0, w * 15.0, h * 15.0, 15}; }
        PixelOnlyCanvas canvas;
        int w, h;
    } host(w, h);
    GfxFrameModel frame(host);
    frame.OnLoad(bag);

    const std::string caption(reinterpret_cast<const char*>(in.p), in.n);
    const std::string key = AccessKeyOf(caption);
    if (key.size() > 4 || (!key.empty() && caption.find('&') == std::string::npos)) __builtin_trap();
    NewButtonCaption({caption, ""}, "x");
    return 0;
}
