#pragma once
// The registry place of the options store. Each root key is one file in a directory of the
// user's configuration ("<dir>/HKEY_CURRENT_USER.reg", ...) holding keys with typed values,
// written atomically. Key and value names match without regard to ASCII letter case, as in
// the registry; paths use "\" between keys.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TRootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// "HKEY_CURRENT_USER" and the other three by exact, case-sensitive name; any other text,
// the empty one included, is the classes root.
TRootKey RootKeyFromName(std::string_view name);
const char* RootKeyName(TRootKey root);

// $XDG_CONFIG_HOME/murvane/registry, else $HOME/.config/murvane/registry.
std::string DefaultRegistryDirectory();

enum class TRegDataType : uint8_t { String, Integer, Binary };

// One root key. Every operation reads the file afresh, as each registry access opens its
// own key.
class TRegStore {
public:
    TRegStore(std::string directory, TRootKey root);

    const std::string& FileName() const { return fileName_; }

    bool KeyExists(std::string_view path) const;
    // The text of a value; none when the key or the value is missing. A value of another
    // type throws "Invalid data type for '<name>'".
    std::optional<std::string> ReadString(std::string_view path, std::string_view name) const;
    // Creates missing keys. Throws "Failed to set data for '<name>'" when the store cannot be written.
    void WriteString(std::string_view path, std::string_view name, std::string_view value);
    // Non-text values, which the options never write but may meet.
    void WriteInteger(std::string_view path, std::string_view name, int32_t value);
    void WriteBinary(std::string_view path, std::string_view name, std::string_view bytes);

    std::vector<std::string> SubKeyNames(std::string_view path) const;
    std::vector<std::string> ValueNames(std::string_view path) const;

    struct Value {
        std::string name;
        TRegDataType type = TRegDataType::String;
        std::string data;
    };
    struct Key {
        std::string path; // components joined by "\", as first spelled
        std::vector<Value> values;
    };

private:
    std::vector<Key> Load() const;
    void Save(const std::vector<Key>& keys, std::string_view valueName) const;
    void Put(std::string_view path, Value value);

    std::string directory_;
    std::string fileName_;
};

// The store file's text form, exposed for tests and fuzzing.
std::vector<TRegStore::Key> ParseRegStore(std::string_view bytes);
std::string SerializeRegStore(const std::vector<TRegStore::Key>& keys);
// Splits a key path at "\" and drops empty components, so "\A\\B\" is "A\B".
std::string NormalizeKeyPath(std::string_view path);
