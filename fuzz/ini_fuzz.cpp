// The options file parser and writer on arbitrary bytes: an untouched file is written back
// byte for byte, every value read converts or fails cleanly, and writing one key changes
// what that key reads and nothing else.
#include "options/IniFile.h"
#include "options/OptionValue.h"
#include "options/TextCase.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

void CheckConversions(const std::string& text) {
    for (uint8_t t = otString; t <= otShortCut; ++t) {
        const auto type = static_cast<TOptionType>(t);
        try {
            const TVariant value = TextToTyped(text, type);
            // What the option would write for that value reads back to the same text.
            const std::string written = TypedToText(value, type);
            if (TypedToText(TextToTyped(written, type), type) != written) std::abort();
        } catch (const EConvertError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TIniDocument document = TIniDocument::Parse(bytes);
    if (document.Serialize() != bytes) std::abort();

    std::vector<std::pair<std::string, std::string>> keys;
    for (const auto& section : document.SectionNames())
        for (const auto& key : document.KeyNames(section))
            if (keys.size() < 64) keys.emplace_back(section, key);
    std::vector<std::string> before;
    for (const auto& [section, key] : keys) {
        auto value = document.ReadValue(section, key);
        if (!value || value->size() > kMaxIniValueLength) std::abort();
        CheckConversions(*value);
        before.push_back(*value);
    }

    const std::string section = keys.empty() ? std::string("Fuzz") : keys.front().first;
    const std::string key = keys.size() > 1 ? keys[1].second : std::string("FuzzKey");
    if (document.WriteValue(section, key, "written")) {
        const TIniDocument after = TIniDocument::Parse(document.Serialize());
        if (after.ReadValue(section, key) != std::optional<std::string>("written")) std::abort();
        for (size_t i = 0; i < keys.size(); ++i) {
            const auto& [s, k] = keys[i];
            if (SameText(s, section) && SameText(k, key)) continue;
            if (after.ReadValue(s, k) != before[i]) std::abort();
        }
    }
    return 0;
}
