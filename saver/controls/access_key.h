#pragma once
// Access keys and default captions of push buttons.
#include <string>
#include <vector>

namespace qv::controls {

// The lower-cased character after the first single "&" of the caption ("&&" is a literal
// ampersand), or "" when there is none. Captions are UTF-8; the result is one whole character.
std::string AccessKeyOf(const std::string& caption);

// Caption of a button newly placed on a form: "&OK", "&Cancel", "&Apply", whichever no button
// of its kind on the form already has, else the name the form gave it.
std::string NewButtonCaption(const std::vector<std::string>& captionsOnForm, const std::string& controlName);

}  // namespace qv::controls
