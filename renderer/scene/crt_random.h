// The C runtime's classic linear congruential generator, never seeded, so every run of the
// renderer draws the same spin axes and rates.
#pragma once
#include <cstdint>

namespace qv::renderer {

class CrtRandom {
  public:
    CrtRandom() = default;
    // Starts from a chosen state instead of the runtime's 1 (tests reach rare draws this way).
    explicit CrtRandom(std::uint32_t state) : state_(state) {}
    // Next integer in [0, 32767]: bits 16..30 of the advanced state.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }
    std::uint32_t State() const { return state_; }

  private:
    std::uint32_t state_ = 1;
};

// r / 32768 * limit: a value in [0, limit).
double RandomScaled(CrtRandom& random, double limit);

}  // namespace qv::renderer
