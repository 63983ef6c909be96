// Key-combination text: whatever the text, parsing it gives either 0 or a combination whose
// own text is the input in another letter case; and every value's text reads back to it.
#include "options/ShortCut.h"
#include "options/TextCase.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TShortCut value = TextToShortCut(text);
    if (value != 0 && !SameText(ShortCutToText(value), text)) std::abort();
    if (size >= 2) {
        const auto raw = static_cast<TShortCut>(data[0] | (data[1] << 8));
        const std::string own = ShortCutToText(raw);
        if (!own.empty() && TextToShortCut(own) != raw) std::abort();
    }
    return 0;
}
