#include "settings/file_choice.h"

#include <cstring>

namespace qv {

std::optional<std::string> ChosenPath(const char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return std::nullopt;
  const void* nul = std::memchr(buffer, '\0', size);
  if (nul == nullptr) return std::nullopt;
  std::string path(buffer, static_cast<const char*>(nul));
  if (path.empty() || path.find_first_of("?*") != std::string::npos) return std::nullopt;
  return path;
}

}  // namespace qv
