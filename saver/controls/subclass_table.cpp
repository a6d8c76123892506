#include "saver/controls/subclass_table.h"

namespace qv::controls {

SubclassEntry* SubclassTable::Find(std::uintptr_t window) {
    if (window == 0) return nullptr;
    for (SubclassEntry& e : entries_)
        if (e.window == window) return &e;
    return nullptr;
}

SubclassEntry* SubclassTable::Take(std::uintptr_t window) {
    if (window == 0) return nullptr;
    if (SubclassEntry* e = Find(window)) return e;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->window == 0) {
            it->window = window;
            return &*it;
        }
    }
    entries_.push_back(SubclassEntry{window, {}, {}});
    return &entries_.back();
}

bool SubclassTable::AddMsg(std::uintptr_t window, unsigned message, int when) {
    SubclassEntry* e = Find(window);
    if (e == nullptr) return false;
    if (when & kMsgAfter) e->after.insert(message);
    if (when & kMsgBefore) e->before.insert(message);
    return true;
}

bool SubclassTable::Free(std::uintptr_t window) {
    SubclassEntry* e = Find(window);
    if (e == nullptr) return false;
    *e = SubclassEntry{};
    return true;
}

std::vector<std::uintptr_t> SubclassTable::Windows() const {
    std::vector<std::uintptr_t> out;
    for (const SubclassEntry& e : entries_)
        if (e.window != 0) out.push_back(e.window);
    return out;
}

}  // namespace qv::controls
