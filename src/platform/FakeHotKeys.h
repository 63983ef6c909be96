#pragma once
// A hot key service for tests: it records registrations, lets a test press a combination,
// and can be told that another program holds a combination.
#include "platform/HotKeys.h"

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace platform {

class FakeHotKeyService final : public IHotKeyService {
public:
    struct Combination {
        unsigned modifiers;
        unsigned vk;
        auto operator<=>(const Combination&) const = default;
    };
    struct Call {
        bool registers; // false: UnregisterHotKey
        int id;
        Combination combination; // {0, 0} for UnregisterHotKey
        bool result;
    };

    bool RegisterHotKey(int id, unsigned modifiers, unsigned vk) override;
    bool UnregisterHotKey(int id) override;

    // Later registrations of this combination fail, as if another program held it.
    void HoldByOtherClient(unsigned modifiers, unsigned vk);
    // Delivers the id holding the combination through onHotKey; false when none holds it.
    bool Press(unsigned modifiers, unsigned vk);

    std::optional<Combination> Find(int id) const;
    const std::map<int, Combination>& Registrations() const { return registered_; }
    // Every call so far, in order.
    const std::vector<Call>& Calls() const { return calls_; }

private:
    std::map<int, Combination> registered_;
    std::set<Combination> foreign_;
    std::vector<Call> calls_;
};

} // namespace platform
