#include "platform/HotKeys.h"
#include "platform/HotKeysX11.h"

namespace platform {
namespace {

// Sessions without a hot key service (offscreen, Wayland): every registration fails
// quietly, as one held by another program would.
class NoHotKeyService final : public IHotKeyService {
public:
    bool RegisterHotKey(int, unsigned, unsigned) override { return false; }
    bool UnregisterHotKey(int) override { return false; }
};

} // namespace

std::unique_ptr<IHotKeyService> CreateHotKeyService() {
    if (auto x11 = CreateX11HotKeyService()) return x11;
    return std::make_unique<NoHotKeyService>();
}

} // namespace platform
