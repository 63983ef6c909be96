#include "options/Content.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

void AppendUInt32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::string Hex(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[(value >> 4) & 0xF] + digits[value & 0xF];
}

} // namespace

std::string SanitizedUtf8(std::string_view bytes) {
    std::string out;
    for (char32_t cp : platform::DecodeUtf8(bytes)) platform::AppendUtf8(out, cp);
    return out;
}

// ---- writer ----

void TWriter::DefineProperty(std::string_view Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(*this);
}

void TWriter::WritePropName(std::string_view name) {
    bytes_ += static_cast<char>(name.size());
    bytes_.append(name.substr(0, 255));
}

void TWriter::WriteString(std::string_view utf8) {
    const std::vector<char32_t> text = platform::DecodeUtf8(utf8);
    bool ascii = true;
    size_t units = 0;
    for (char32_t cp : text) {
        ascii = ascii && cp < 0x80;
        units += cp > 0xFFFF ? 2 : 1;
    }
    if (units > 0xFFFFFFFFu / 4)
        throw std::length_error("A text of " + std::to_string(units) + " characters cannot be stored");
    if (!text.empty() && ascii) {
        if (text.size() <= 255) {
            bytes_ += static_cast<char>(vaString);
            bytes_ += static_cast<char>(text.size());
        } else {
            bytes_ += static_cast<char>(vaLString);
            AppendUInt32(bytes_, static_cast<uint32_t>(text.size()));
        }
        for (char32_t cp : text) bytes_ += static_cast<char>(cp);
        return;
    }
    std::string encoded;
    for (char32_t cp : text) platform::AppendUtf8(encoded, cp);
    if (!text.empty() && encoded.size() < 2 * units) {
        bytes_ += static_cast<char>(vaUTF8String);
        AppendUInt32(bytes_, static_cast<uint32_t>(encoded.size()));
        bytes_ += encoded;
        return;
    }
    bytes_ += static_cast<char>(vaWString);
    AppendUInt32(bytes_, static_cast<uint32_t>(units));
    auto unit = [this](uint32_t u) {
        bytes_ += static_cast<char>(u & 0xFF);
        bytes_ += static_cast<char>(u >> 8);
    };
    for (char32_t cp : text) {
        if (cp > 0xFFFF) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    }
}

// ---- reader ----

void TReader::EndsEarly() const {
    throw EReadError("Stream read error: the stored form ends at byte " + std::to_string(bytes_.size()) +
                     " in the middle of a value");
}

uint8_t TReader::Byte() {
    if (pos_ >= bytes_.size()) EndsEarly();
    return static_cast<uint8_t>(bytes_[pos_++]);
}

uint32_t TReader::UInt32() {
    const std::string_view raw = Take(4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
    return value;
}

std::string_view TReader::Take(size_t count) {
    if (count > bytes_.size() - pos_) EndsEarly();
    const std::string_view part = bytes_.substr(pos_, count);
    pos_ += count;
    return part;
}

void TReader::DefineProperty(std::string_view Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (handled_ || Name != pendingName_ || !ReadData) return;
    handled_ = true;
    ReadData(*this);
}

void TReader::ReadProperty(const std::function<void(TFiler& Filer)>& defineProperties) {
    pendingName_ = ReadPropName();
    handled_ = false;
    defineProperties(*this);
    if (!handled_)
        throw EReadError("Error reading the stored form: property " + pendingName_ + " does not exist");
}

std::string TReader::ReadPropName() {
    return std::string(Take(Byte()));
}

void TReader::ReadListBegin() {
    const size_t at = pos_;
    if (Byte() != vaList)
        throw EReadError("Invalid property value: no list begins at byte " + std::to_string(at));
}

bool TReader::EndOfList() {
    if (pos_ >= bytes_.size())
        throw EReadError("Stream read error: the stored form ends at byte " + std::to_string(bytes_.size()) +
                         " inside a list");
    return static_cast<uint8_t>(bytes_[pos_]) == vaNull;
}

void TReader::ReadListEnd() {
    const size_t at = pos_;
    if (Byte() != vaNull)
        throw EReadError("Invalid property value: the list does not end at byte " + std::to_string(at));
}

std::string TReader::ReadString() {
    const size_t at = pos_;
    const uint8_t tag = Byte();
    switch (tag) {
    case vaString:
        return platform::AnsiToUtf8(Take(Byte()));
    case vaLString:
        return platform::AnsiToUtf8(Take(UInt32()));
    case vaUTF8String:
        return SanitizedUtf8(Take(UInt32()));
    case vaWString: {
        const uint32_t count = UInt32();
        if (count > (bytes_.size() - pos_) / 2) EndsEarly();
        const std::string_view raw = Take(size_t{count} * 2);
        std::string out;
        for (size_t i = 0; i < count; ++i) {
            char32_t u =
                static_cast<unsigned char>(raw[2 * i]) | (static_cast<unsigned char>(raw[2 * i + 1]) << 8);
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count) {
                const char32_t low = static_cast<unsigned char>(raw[2 * i + 2]) |
                                     (static_cast<unsigned char>(raw[2 * i + 3]) << 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            platform::AppendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? platform::kReplacementChar : u);
        }
        return out;
    }
    default:
        throw EReadError("Invalid property value: the item at byte " + std::to_string(at) + " (type " +
                         Hex(tag) + ") is not a text");
    }
}
