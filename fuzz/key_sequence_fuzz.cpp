// libFuzzer entry for key sequences: any text is either refused or gives strokes with a
// virtual-key code in the byte range.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "saver/framework/key_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto strokes = qv::ParseKeySequence(std::string(reinterpret_cast<const char*>(data), size));
    if (!strokes) return 0;
    if (strokes->size() > size) std::abort();
    for (const qv::KeyStroke& k : *strokes)
        if (k.virtualKey <= 0 || k.virtualKey > 0xFF) std::abort();
    return 0;
}
