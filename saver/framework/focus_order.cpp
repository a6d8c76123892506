#include "saver/framework/focus_order.h"

#include <algorithm>
#include <cctype>

namespace qv {

int NextInTabOrder(const std::vector<FocusCandidate>& candidates, int current, bool forward) {
    // Candidates sorted by tab index (ties by position in the list), then the step from the
    // current one, wrapping around.
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(candidates.size()); ++i) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return candidates[a].tabIndex < candidates[b].tabIndex; });
    const int n = static_cast<int>(order.size());
    if (n == 0) return -1;
    int pos = -1;
    for (int i = 0; i < n; ++i)
        if (order[i] == current) pos = i;
    if (pos < 0) pos = forward ? n - 1 : 0;  // no focus yet: start from the first or the last
    for (int step = 1; step <= n; ++step) {
        const int p = forward ? (pos + step) % n : ((pos - step) % n + n) % n;
        if (candidates[order[p]].canFocus) return order[p];
    }
    return -1;
}

bool MatchesAccessKey(const std::string& accessKeys, char key) {
    const int k = std::tolower(static_cast<unsigned char>(key));
    if (k == 0) return false;
    for (char c : accessKeys)
        if (std::tolower(static_cast<unsigned char>(c)) == k) return true;
    return false;
}

}  // namespace qv
