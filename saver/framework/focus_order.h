#pragma once
// Tab order and access keys among the controls of a form. Window-free.
#include <string>
#include <vector>

namespace qv {

struct FocusCandidate {
    int tabIndex = 0;
    bool canFocus = false;  // visible, enabled, tab stop and able to take the focus
};

// The candidate that Tab (forward) or Shift+Tab reaches from `current` (-1: none has the
// focus), wrapping around; -1 when no candidate can take the focus.
int NextInTabOrder(const std::vector<FocusCandidate>& candidates, int current, bool forward);

// Whether a key character matches an access-key list ("o", "oc"): case-insensitive ASCII.
bool MatchesAccessKey(const std::string& accessKeys, char key);

}  // namespace qv
