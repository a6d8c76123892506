#include "renderer/scene/crt_random.h"

namespace qv::renderer {

double RandomScaled(CrtRandom& random, double limit) { return random.Next() / 32768.0 * limit; }

}  // namespace qv::renderer
