#include "options/IniFile.h"

#include "options/TextCase.h"
#include "platform/AtomicFile.h"

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Limited(std::string_view value) {
    if (value.size() <= kMaxIniValueLength) return std::string(value);
    size_t n = kMaxIniValueLength;
    // Do not leave half of a UTF-8 character at the cut.
    while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80) --n;
    return std::string(value.substr(0, n));
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    for (const auto& known : names)
        if (SameText(known, name)) return;
    names.push_back(name);
}

} // namespace

void TIniDocument::Classify(Line& line) {
    const std::string_view text = Trimmed(line.text);
    line.kind = Other;
    line.name.clear();
    line.value.clear();
    if (text.empty() || text.front() == ';') return;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        line.kind = Header;
        line.name =
            Trimmed(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = Trimmed(text.substr(0, equals));
    if (key.empty()) return;
    line.kind = Key;
    line.name = key;
    line.value = Trimmed(text.substr(equals + 1));
}

TIniDocument TIniDocument::Parse(std::string_view bytes) {
    TIniDocument document;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        Line line;
        if (newline == std::string_view::npos) {
            line.text = bytes.substr(start);
            start = bytes.size();
            // A last line cut after its carriage return still ends there.
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.eol = "\r";
            }
        } else {
            line.text = bytes.substr(start, newline - start);
            line.eol = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.eol = "\r\n";
            }
            start = newline + 1;
        }
        Classify(line);
        document.lines_.push_back(std::move(line));
    }
    return document;
}

std::string TIniDocument::Serialize() const {
    std::string bytes;
    for (const auto& line : lines_) bytes.append(line.text).append(line.eol);
    return bytes;
}

std::string TIniDocument::LineEnd() const {
    // New lines follow the file's own convention.
    for (const auto& line : lines_)
        if (!line.eol.empty() && line.eol != "\r") return line.eol;
    return "\n";
}

// A value in one pair of matching quotes reads without them, as the profile services give it.
static std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::string> TIniDocument::ReadValue(std::string_view section, std::string_view key) const {
    // Only the first occurrence of a section counts; a repeated one is ignored.
    bool inSection = false, seen = false;
    for (const auto& line : lines_) {
        if (line.kind == Header) {
            if (inSection) return std::nullopt;
            inSection = !seen && SameText(line.name, section);
            seen = seen || inSection;
        } else if (inSection && line.kind == Key && SameText(line.name, key)) {
            return Limited(Unquoted(line.value));
        }
    }
    return std::nullopt;
}

bool TIniDocument::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
    if (HasLineBreak(section) || section.find(']') != std::string_view::npos || Trimmed(section) != section)
        return false;
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';' || Trimmed(key) != key)
        return false;
    if (HasLineBreak(value)) return false;

    const std::string eol = LineEnd();
    bool inSection = false;
    std::optional<size_t> lastOfFirstSection;
    bool firstSectionOpen = false, firstSectionSeen = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (line.kind == Header) {
            inSection = !firstSectionSeen && SameText(line.name, section);
            firstSectionOpen = inSection;
            if (firstSectionOpen) {
                firstSectionSeen = true;
                lastOfFirstSection = i;
            }
            continue;
        }
        if (inSection && line.kind == Key && SameText(line.name, key)) {
            line.text = line.name + "=" + std::string(value);
            Classify(line);
            return true;
        }
        // A new key goes after the section's last non-blank line, before any blank lines
        // that separate it from the next section.
        if (firstSectionOpen && !Trimmed(line.text).empty()) lastOfFirstSection = i;
    }
    auto insertAfter = [&](std::optional<size_t> after, std::string text) {
        const size_t at = after ? *after + 1 : lines_.size();
        // The line before must end in a whole line end, or the new line would join it.
        if (at > 0 && (lines_[at - 1].eol.empty() || lines_[at - 1].eol == "\r")) lines_[at - 1].eol = eol;
        Line line;
        line.text = std::move(text);
        line.eol = eol;
        Classify(line);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        return at;
    };
    if (!lastOfFirstSection) lastOfFirstSection = insertAfter(std::nullopt, "[" + std::string(section) + "]");
    insertAfter(lastOfFirstSection, std::string(key) + "=" + std::string(value));
    return true;
}

std::vector<std::string> TIniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& line : lines_)
        if (line.kind == Header) AddOnce(names, line.name);
    return names;
}

std::vector<std::string> TIniDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    bool inSection = false, seen = false;
    for (const auto& line : lines_) {
        if (line.kind == Header) {
            if (inSection) break;
            inSection = !seen && SameText(line.name, section);
            seen = seen || inSection;
        } else if (inSection && line.kind == Key) {
            AddOnce(names, line.name);
        }
    }
    return names;
}

const TIniDocument& TIniFile::ForReading() {
    if (batch_ > 0 && cached_) return *cached_;
    std::string bytes;
    try {
        platform::ReadWholeFile(fileName_, bytes);
    } catch (const EInOutError&) {
        // The profile services read an unreadable file as an empty one.
        bytes.clear();
    }
    // Outside a load batch nothing is kept, so no later batch can see the file as it was.
    cached_ = TIniDocument::Parse(bytes);
    if (batch_ > 0) return *cached_;
    uncached_ = std::move(*cached_);
    cached_.reset();
    return uncached_;
}

void TIniFile::EndBatch() {
    if (batch_ > 0 && --batch_ == 0) cached_.reset();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view defaultValue) {
    auto value = ForReading().ReadValue(section, ident);
    return value ? std::move(*value) : std::string(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    const std::string failure = "Unable to write to " + fileName_;
    std::string bytes;
    try {
        platform::ReadWholeFile(fileName_, bytes);
    } catch (const EInOutError&) {
        throw EIniFileException(failure);
    }
    TIniDocument document = TIniDocument::Parse(bytes);
    if (!document.WriteValue(section, ident, value))
        throw EIniFileException(failure + " (a section, key or value that an INI line cannot hold)");
    try {
        if (platform::WriteFileAtomically(fileName_, document.Serialize()) !=
            platform::AtomicWriteResult::Written)
            throw EIniFileException(failure);
    } catch (const EIniFileException&) {
        throw;
    } catch (const EInOutError&) {
        throw EIniFileException(failure);
    }
    if (batch_ > 0) cached_ = std::move(document);
}

void TIniFile::ReadSections(std::vector<std::string>& strings) {
    strings = ForReading().SectionNames();
}

void TIniFile::ReadSection(std::string_view section, std::vector<std::string>& strings) {
    strings = ForReading().KeyNames(section);
}
