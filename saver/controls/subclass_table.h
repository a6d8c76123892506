#pragma once
// The windows one push button hooks and, per window, the messages it wants to see.
// Window handles are plain numbers here; 0 marks a free entry.
#include <cstdint>
#include <set>
#include <vector>

namespace qv::controls {

struct SubclassEntry {
    std::uintptr_t window = 0;
    std::set<unsigned> after;   // the button is called after the window's own procedure
    std::set<unsigned> before;  // ... and before it (kept for completeness, unused by buttons)
};

enum SubclassWhen : int { kMsgAfter = 1, kMsgBefore = 2, kMsgBeforeAndAfter = 3 };

class SubclassTable {
  public:
    // The entry of a window already in the table, or a free one (searched from the last), or a
    // new one at the end. Never null for a non-zero window.
    SubclassEntry* Take(std::uintptr_t window);
    SubclassEntry* Find(std::uintptr_t window);
    // Adds the message to the sets `when` names; each message at most once per set.
    bool AddMsg(std::uintptr_t window, unsigned message, int when);
    // Empties the entry's sets and frees it; false when the window was not in the table.
    bool Free(std::uintptr_t window);
    std::vector<std::uintptr_t> Windows() const;  // the windows in use
    std::size_t Size() const { return entries_.size(); }

  private:
    std::vector<SubclassEntry> entries_;
};

}  // namespace qv::controls
