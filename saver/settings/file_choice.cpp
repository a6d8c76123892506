#include "settings/file_choice.h"

namespace qv {

ChosenFile JudgeChosenFile(const std::string& path, const std::optional<std::string>& systemForm) {
  if (path.empty()) return {};
  if (!systemForm || systemForm->empty() || systemForm->find_first_of("?*") != std::string::npos ||
      systemForm->size() >= kChooserBufferSize)
    return {FileChoice::NotStorable, path};
  return {FileChoice::Chosen, path};
}

}  // namespace qv
