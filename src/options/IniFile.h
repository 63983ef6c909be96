#pragma once
// The options file: an INI file read and written with the results of the Windows private
// profile services. Section and key names match without regard to ASCII letter case, a
// key's value is the text after the first "=" with the blanks around it removed, and a
// value reads as at most 2047 bytes. Every line the program does not touch (unknown keys
// and sections, comments, lines without "=", text before the first section) is written
// back byte for byte. Where a section occurs more than once, its key is looked for in each
// occurrence in turn and new keys go into the first one. Text is kept as UTF-8 bytes.
#include "platform/Errors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The error of an INI file that cannot be written: "Unable to write to <file>".
class EIniFileException : public EInOutError {
public:
    using EInOutError::EInOutError;
};

inline constexpr size_t kMaxIniValueLength = 2047;

// The lines of one INI file, parsed.
class TIniDocument {
public:
    static TIniDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    // The value of a key, or none when the section or the key is missing.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    // Sets a key, creating the section and the key as needed. Returns false, changing
    // nothing, for names or values that a line cannot hold (a line break, a "=" or a
    // leading "[" or ";" in the key, a "]" in the section name, an empty key).
    bool WriteValue(std::string_view section, std::string_view key, std::string_view value);

    // Section names in file order, each once (first spelling).
    std::vector<std::string> SectionNames() const;
    // Key names of a section in file order, each once (first spelling).
    std::vector<std::string> KeyNames(std::string_view section) const;

private:
    enum Kind { Other, Header, Key };
    struct Line {
        std::string text;
        std::string eol; // "\n", "\r\n", or "" for a last line without a line end
        Kind kind = Other;
        std::string name;  // section name of a header, key name of a key
        std::string value; // value of a key
    };
    static void Classify(Line& line);
    std::string LineEnd() const;

    std::vector<Line> lines_;
};

// An INI file on disk. Reads see the file as it is now; during a load batch (BeginBatch /
// EndBatch) the file is read once and the parsed text reused, so loading many options does
// not read the file once per option. Writes always start from the file as it is on disk
// and replace it atomically.
class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // The default when the file, the section or the key is missing, or the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue);
    // Throws EIniFileException "Unable to write to <file>" when the file cannot be written,
    // or exists and cannot be read (so its other keys are never lost).
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void ReadSections(std::vector<std::string>& strings);
    // The key names of a section.
    void ReadSection(std::string_view section, std::vector<std::string>& strings);

    void BeginBatch() { ++batch_; }
    void EndBatch();

private:
    const TIniDocument& ForReading();

    std::string fileName_;
    int batch_ = 0;
    std::optional<TIniDocument> cached_;
    TIniDocument uncached_; // the last read outside a batch, alive until the next read
};
