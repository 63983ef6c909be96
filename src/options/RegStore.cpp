#include "options/RegStore.h"

#include "options/TextCase.h"
#include "platform/AtomicFile.h"
#include "platform/Errors.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Fields are separated by tabs; "%" escapes the few bytes that would break a line.
std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '%':
            out += "%25";
            break;
        case '\t':
            out += "%09";
            break;
        case '\n':
            out += "%0A";
            break;
        case '\r':
            out += "%0D";
            break;
        default:
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

const char* TypeName(TRegDataType type) {
    switch (type) {
    case TRegDataType::String:
        return "sz";
    case TRegDataType::Integer:
        return "dword";
    case TRegDataType::Binary:
        return "binary";
    }
    return "sz";
}

// Whether path lies at or below ancestor.
bool IsWithin(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty()) return true;
    if (path.size() < ancestor.size() || !SameText(path.substr(0, ancestor.size()), ancestor)) return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

} // namespace

TRootKey RootKeyFromName(std::string_view name) {
    if (name == "HKEY_CURRENT_USER") return TRootKey::CurrentUser;
    if (name == "HKEY_LOCAL_MACHINE") return TRootKey::LocalMachine;
    if (name == "HKEY_USERS") return TRootKey::Users;
    if (name == "HKEY_CURRENT_CONFIG") return TRootKey::CurrentConfig;
    return TRootKey::ClassesRoot;
}

const char* RootKeyName(TRootKey root) {
    switch (root) {
    case TRootKey::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case TRootKey::CurrentUser:
        return "HKEY_CURRENT_USER";
    case TRootKey::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case TRootKey::Users:
        return "HKEY_USERS";
    case TRootKey::CurrentConfig:
        return "HKEY_CURRENT_CONFIG";
    }
    return "HKEY_CLASSES_ROOT";
}

std::string DefaultRegistryDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return std::string(config) + "/murvane/registry";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/murvane/registry";
}

std::string NormalizeKeyPath(std::string_view path) {
    std::string out;
    for (std::string_view part : Split(path, '\\')) {
        if (part.empty()) continue;
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

std::vector<TRegStore::Key> ParseRegStore(std::string_view bytes) {
    std::vector<TRegStore::Key> keys;
    for (std::string_view line : Split(bytes, '\n')) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto fields = Split(line, '\t');
        if (fields.size() == 2 && fields[0] == "K") {
            keys.push_back({NormalizeKeyPath(Unescaped(fields[1])), {}});
        } else if (fields.size() == 4 && fields[0] == "V" && !keys.empty()) {
            TRegStore::Value value{Unescaped(fields[2]), TRegDataType::String, Unescaped(fields[3])};
            if (fields[1] == "dword")
                value.type = TRegDataType::Integer;
            else if (fields[1] == "binary")
                value.type = TRegDataType::Binary;
            else if (fields[1] != "sz")
                continue;
            keys.back().values.push_back(std::move(value));
        }
    }
    return keys;
}

std::string SerializeRegStore(const std::vector<TRegStore::Key>& keys) {
    std::string out;
    for (const auto& key : keys) {
        out += "K\t" + Escaped(key.path) + "\n";
        for (const auto& value : key.values)
            out += std::string("V\t") + TypeName(value.type) + "\t" + Escaped(value.name) + "\t" +
                   Escaped(value.data) + "\n";
    }
    return out;
}

TRegStore::TRegStore(std::string directory, TRootKey root)
    : directory_(std::move(directory)), fileName_(directory_ + "/" + RootKeyName(root) + ".reg") {}

std::vector<TRegStore::Key> TRegStore::Load() const {
    std::string bytes;
    platform::ReadWholeFile(fileName_, bytes);
    return ParseRegStore(bytes);
}

void TRegStore::Save(const std::vector<Key>& keys, std::string_view valueName) const {
    const std::string failure = "Failed to set data for '" + std::string(valueName) + "'";
    try {
        std::error_code ec;
        std::filesystem::create_directories(directory_, ec);
        if (platform::WriteFileAtomically(fileName_, SerializeRegStore(keys)) !=
            platform::AtomicWriteResult::Written)
            throw ERegistryException(failure);
    } catch (const EInOutError&) {
        throw ERegistryException(failure);
    }
}

void TRegStore::Put(std::string_view path, Value value) {
    std::vector<Key> keys;
    try {
        keys = Load();
    } catch (const EInOutError&) {
        // A store that exists but cannot be read is never written over.
        throw ERegistryException("Failed to set data for '" + value.name + "'");
    }
    const std::string normalized = NormalizeKeyPath(path);
    Key* key = nullptr;
    for (auto& candidate : keys)
        if (!key && SameText(candidate.path, normalized)) key = &candidate;
    if (!key) key = &keys.emplace_back(Key{normalized, {}});
    Value* slot = nullptr;
    for (auto& candidate : key->values)
        if (!slot && SameText(candidate.name, value.name)) slot = &candidate;
    const std::string name = value.name;
    if (slot) {
        slot->type = value.type;
        slot->data = std::move(value.data);
    } else {
        key->values.push_back(std::move(value));
    }
    Save(keys, name);
}

bool TRegStore::KeyExists(std::string_view path) const {
    const std::string normalized = NormalizeKeyPath(path);
    if (normalized.empty()) return true;
    try {
        for (const auto& key : Load())
            if (IsWithin(key.path, normalized)) return true;
    } catch (const EInOutError&) {
    }
    return false;
}

std::optional<std::string> TRegStore::ReadString(std::string_view path, std::string_view name) const {
    std::vector<Key> keys;
    try {
        keys = Load();
    } catch (const EInOutError&) {
        return std::nullopt;
    }
    const std::string normalized = NormalizeKeyPath(path);
    for (const auto& key : keys) {
        if (!SameText(key.path, normalized)) continue;
        for (const auto& value : key.values) {
            if (!SameText(value.name, name)) continue;
            if (value.type != TRegDataType::String)
                throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
            return value.data;
        }
    }
    return std::nullopt;
}

void TRegStore::WriteString(std::string_view path, std::string_view name, std::string_view value) {
    Put(path, Value{std::string(name), TRegDataType::String, std::string(value)});
}

void TRegStore::WriteInteger(std::string_view path, std::string_view name, int32_t value) {
    Put(path, Value{std::string(name), TRegDataType::Integer, std::to_string(value)});
}

void TRegStore::WriteBinary(std::string_view path, std::string_view name, std::string_view bytes) {
    Put(path, Value{std::string(name), TRegDataType::Binary, std::string(bytes)});
}

std::vector<std::string> TRegStore::SubKeyNames(std::string_view path) const {
    std::vector<std::string> names;
    const std::string normalized = NormalizeKeyPath(path);
    std::vector<Key> keys;
    try {
        keys = Load();
    } catch (const EInOutError&) {
        return names;
    }
    for (const auto& key : keys) {
        if (!IsWithin(key.path, normalized) || key.path.size() == normalized.size()) continue;
        std::string_view rest =
            std::string_view(key.path).substr(normalized.empty() ? 0 : normalized.size() + 1);
        const std::string child(rest.substr(0, rest.find('\\')));
        bool known = false;
        for (const auto& name : names) known = known || SameText(name, child);
        if (!known) names.push_back(child);
    }
    return names;
}

std::vector<std::string> TRegStore::ValueNames(std::string_view path) const {
    std::vector<std::string> names;
    const std::string normalized = NormalizeKeyPath(path);
    std::vector<Key> keys;
    try {
        keys = Load();
    } catch (const EInOutError&) {
        return names;
    }
    for (const auto& key : keys)
        if (SameText(key.path, normalized))
            for (const auto& value : key.values) names.push_back(value.name);
    return names;
}
