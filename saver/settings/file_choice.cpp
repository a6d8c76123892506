#include "saver/settings/file_choice.h"

namespace qv {

ChosenFile JudgeChosenFile(const std::string& path, const std::optional<std::string>& systemForm) {
    if (path.empty()) return {};
    if (!systemForm || systemForm->empty() || systemForm->find_first_of("?*") != std::string::npos)
        return {FileChoice::NotStorable, path};
    // Too long for the chooser's buffer in the system's code page: the chooser of that code page
    // fails on such a path, and a failed choice changes nothing and says nothing.
    if (systemForm->size() >= kChooserBufferSize) return {};
    return {FileChoice::Chosen, path};
}

}  // namespace qv
