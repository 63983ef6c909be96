#pragma once
// The stored-form byte format that carries an option list (the property "Content"): a
// property name as a short string, then values, each led by a tag byte. Only what the
// option list needs is here: lists (0x01 ... 0x00) and the four text forms 0x06 (short
// ASCII), 0x0C (long ASCII), 0x14 (UTF-8) and 0x12 (UTF-16LE). Texts in the program are
// UTF-8; single-byte items are read in the ANSI code page (Windows-1251).
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// A stored form that is cut short or holds something other than what is expected.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TValueType : uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaString = 0x06,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaUTF8String = 0x14
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

// What an object sees while it defines its own stored properties; a writer stores them,
// a reader reads the one whose name it has just met.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(std::string_view Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;
};

class TWriter : public TFiler {
public:
    void DefineProperty(std::string_view Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;

    void WritePropName(std::string_view name);
    void WriteListBegin() { bytes_ += static_cast<char>(vaList); }
    void WriteListEnd() { bytes_ += static_cast<char>(vaNull); }
    // Chooses the tag: 0x06 for ASCII of 1 to 255 characters, 0x0C for longer ASCII, 0x14
    // when the UTF-8 form is shorter than twice the UTF-16 length, 0x12 otherwise (the
    // empty text included). Malformed UTF-8 is written with U+FFFD in its place.
    void WriteString(std::string_view utf8);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads within its bytes only; anything that would run past their end throws EReadError.
class TReader : public TFiler {
public:
    explicit TReader(std::string_view bytes) : bytes_(bytes) {}

    void DefineProperty(std::string_view Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    // Reads one property: its name, then its data through the object's property definitions.
    // An unknown name throws EReadError.
    void ReadProperty(const std::function<void(TFiler& Filer)>& defineProperties);

    std::string ReadPropName();
    void ReadListBegin();
    bool EndOfList();
    void ReadListEnd();
    // Any of the four text forms; another tag throws EReadError.
    std::string ReadString();

    size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }

private:
    uint8_t Byte();
    uint32_t UInt32();
    std::string_view Take(size_t count);
    [[noreturn]] void EndsEarly() const;

    std::string_view bytes_;
    size_t pos_ = 0;
    std::string pendingName_;
    bool handled_ = false;
};

// UTF-8 with every malformed sequence replaced by U+FFFD.
std::string SanitizedUtf8(std::string_view bytes);
