// The stored-form reader of an option list on arbitrary bytes: it either fails with
// EReadError or gives a list that writes and reads back to the same records.
#include "options/Options.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Record = std::tuple<std::string, std::string, std::string, std::string, TOptionType>;

std::vector<Record> Records(const TOptions& store) {
    std::vector<Record> records;
    for (int32_t i = 0; i < store.Items().Count(); ++i) {
        const TOption* o = store.Items().GetItem(i);
        records.emplace_back(o->Ident(), o->Section(), o->DefaultValue(), o->ValueAsString(),
                             o->OptionVarType());
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TOptions store;
    try {
        ReadContentProperty(store, bytes);
    } catch (const EReadError&) {
        if (store.Items().Count() != 0) std::abort(); // a failed read changes nothing
        return 0;
    }
    TOptions copy;
    ReadContentProperty(copy, WriteContentProperty(store));
    if (Records(copy) != Records(store)) std::abort();
    return 0;
}
