#include "platform/FakeHotKeys.h"

namespace platform {

bool FakeHotKeyService::RegisterHotKey(int id, unsigned modifiers, unsigned vk) {
    const Combination wanted{modifiers, vk};
    bool free = foreign_.count(wanted) == 0;
    for (const auto& [other, combination] : registered_)
        if (combination == wanted) free = false; // also when id itself holds it
    if (free) registered_[id] = wanted;
    calls_.push_back({true, id, wanted, free});
    return free;
}

bool FakeHotKeyService::UnregisterHotKey(int id) {
    const bool held = registered_.erase(id) != 0;
    calls_.push_back({false, id, {0, 0}, held});
    return held;
}

void FakeHotKeyService::HoldByOtherClient(unsigned modifiers, unsigned vk) {
    foreign_.insert({modifiers, vk});
}

bool FakeHotKeyService::Press(unsigned modifiers, unsigned vk) {
    for (const auto& [id, combination] : registered_) {
        if (combination == Combination{modifiers, vk}) {
            const int pressed = id; // onHotKey may change the registrations
            if (onHotKey) onHotKey(pressed);
            return true;
        }
    }
    return false;
}

std::optional<FakeHotKeyService::Combination> FakeHotKeyService::Find(int id) const {
    const auto it = registered_.find(id);
    if (it == registered_.end()) return std::nullopt;
    return it->second;
}

} // namespace platform
