#pragma once
// The options component: named, typed settings held as text (TOption), the ordered list
// that holds them (TOptionList), and the store that keeps them in an INI file or under a
// registry key (TOptions, TReg), with its stored form "Content".
//
// Loading all options never stops half-way: LoadAllOptions loads and reports every option
// even when the text of one does not convert or its OnOptionLoad handler throws, runs
// OnLoaded, and only then throws one ELoadOptionsError that lists every failure in list
// order (its text is the failures' texts, one per line). A failure in OnLoaded is listed
// the same way. So one bad value in the options file can neither leave the later options
// unapplied nor keep the program from loading its tasks, and the caller still sees and
// can report every error.
#include "options/Content.h"
#include "options/IniFile.h"
#include "options/OptionValue.h"
#include "options/RegStore.h"
#include "options/ShortCut.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum TPlaceOptions : uint8_t { poNone, poRegistry, poIniFile };

// "string", "Integer", "Boolean", "Float", "DateTime", "Color", "ShortCut".
std::string OptionTypeName(TOptionType type);
// The name in any letter case; a name that is none of the seven gives otString.
TOptionType OptionTypeFromName(std::string_view name);

class TOption;
class TOptions;

using TSaveLoadOptionProcedure = std::function<void(TOption* CurentOption)>;

// One setting. Its value is the text stored in the options file; Value converts it to and
// from the option's type on every access.
class TOption {
public:
    const std::string& Ident() const { return fIdent; }
    void SetIdent(std::string value) { fIdent = std::move(value); }
    const std::string& Section() const { return fSection; }
    void SetSection(std::string value) { fSection = std::move(value); }
    const std::string& DefaultValue() const { return fDefaultValue; }
    void SetDefaultValue(std::string value) { fDefaultValue = std::move(value); }
    TPlaceOptions Place() const { return fPlace; }
    void SetPlace(TPlaceOptions value) { fPlace = value; }
    TOptionType OptionVarType() const { return fOptionVarType; }
    void SetOptionVarType(TOptionType value) { fOptionVarType = value; }

    const std::string& ValueAsString() const { return fValueAsString; }
    // Stores a different text (exact comparison) and then reports it through Changed;
    // the same text again does nothing.
    void SetValueAsString(const std::string& value);

    // The text converted to the option's type; throws EConvertError when it does not convert.
    TVariant Value() const { return TextToTyped(fValueAsString, fOptionVarType); }
    // Converts to the option's text form first, so a failed conversion (EConvertError)
    // leaves the option and its listeners untouched.
    void SetValue(const TVariant& value) { SetValueAsString(TypedToText(value, fOptionVarType)); }
    TVariant ValueAnyType() const { return TVariant(fValueAsString); }
    void SetValueAnyType(const TVariant& value) { SetValueAsString(value.AsString()); }
    // The text converted as for the given type, whatever the option's own type.
    TVariant GetValueAs(TOptionType type) const { return TextToTyped(fValueAsString, type); }
    // Reports the option through Changed without touching its value.
    void Change();

    TSaveLoadOptionProcedure Save;
    TSaveLoadOptionProcedure Load;
    TSaveLoadOptionProcedure Changed;

private:
    std::string fIdent;
    std::string fSection;
    std::string fValueAsString;
    std::string fDefaultValue;
    TPlaceOptions fPlace = poNone;
    TOptionType fOptionVarType = otString;
};

// The ordered options of a store. Positions 0 .. Count - 1 give the order; each option
// sits in a storage slot (Item), VirtualIndex maps positions to slots and FreeIndex keeps
// the slots that Remove freed (the last freed is reused first). The list owns its options:
// Remove and Replace hand the dropped option back to the caller, Clear frees them all.
class TOptionList {
public:
    explicit TOptionList(TOptions* AOwner = nullptr) : fOwner(AOwner) {}
    TOptionList(const TOptionList&) = delete;
    TOptionList& operator=(const TOptionList&) = delete;

    // Appends and returns the new position. With a store as owner, binds the option's
    // Save, Load and Changed to the store.
    int32_t Add(std::unique_ptr<TOption> S);
    // Inserts at a valid position and returns it; -1 for any other position, and S is
    // then left with the caller. Does not bind the callbacks.
    int32_t Insert(std::unique_ptr<TOption>&& S, int32_t Index);
    // The removed option, or null for an invalid position.
    std::unique_ptr<TOption> Remove(int32_t Index);
    // Puts S in the slot of position Index and returns the option it held; for an invalid
    // position nothing happens, S stays with the caller and the result is null.
    std::unique_ptr<TOption> Replace(std::unique_ptr<TOption>&& S, int32_t Index);
    // Exchanges the options at two valid positions.
    void Move(int32_t A, int32_t B);
    // The first option from StartPos on with exactly this ident and either this exact
    // section or any section when Section is "%All%".
    TOption* Find(std::string_view Ident, std::string_view Section, int32_t StartPos) const;
    void Clear();
    int32_t Count() const { return fCount; }
    TOption* GetItem(int32_t Index) const;

    // The slot storage, for inspection.
    const std::vector<int32_t>& GetFreeIndex() const { return FreeIndex; }
    const std::vector<int32_t>& GetVirtualIndex() const { return VirtualIndex; }
    size_t SlotCount() const { return Item.size(); }
    TOption* Slot(size_t slot) const { return slot < Item.size() ? Item[slot].get() : nullptr; }

private:
    bool Valid(int32_t Index) const { return Index >= 0 && Index < fCount; }
    int32_t GetFreeSlot();

    TOptions* fOwner;
    std::vector<int32_t> FreeIndex;
    std::vector<int32_t> VirtualIndex;
    std::vector<std::unique_ptr<TOption>> Item;
    int32_t fCount = 0;
};

// The registry location of a store. Assigning RootKey or Key always calls OnChange.
class TReg {
public:
    const std::string& RootKey() const { return fRootKey; }
    void SetRootKey(std::string value);
    const std::string& Key() const { return fKey; }
    void SetKey(std::string value);
    std::function<void(TReg* Sender)> OnChange;

    // Where the registry stand-in keeps its files; DefaultRegistryDirectory() unless set.
    const std::string& Directory() const { return fDirectory; }
    void SetDirectory(std::string value) { fDirectory = std::move(value); }
    TRegStore Store() const { return TRegStore(fDirectory, RootKeyFromName(fRootKey)); }

private:
    std::string fKey;
    std::string fRootKey;
    std::string fDirectory = DefaultRegistryDirectory();
};

using TNotifyOptionChangeEvent = std::function<void(TOptions* Sender, TOption* CurrentOption)>;
using TOptionsNotifyEvent = std::function<void(TOptions* Sender)>;

// Every failure of one LoadAllOptions.
class ELoadOptionsError : public std::runtime_error {
public:
    struct Failure {
        std::string Ident; // empty for a failure of OnLoaded
        std::string Message;
        std::exception_ptr Error;
    };
    explicit ELoadOptionsError(std::vector<Failure> failures);
    const std::vector<Failure>& Failures() const { return fFailures; }

private:
    std::vector<Failure> fFailures;
};

class TOptions {
public:
    TOptions() = default;
    // Frees every option; saves nothing.
    ~TOptions() { fItems.Clear(); }
    TOptions(const TOptions&) = delete;
    TOptions& operator=(const TOptions&) = delete;

    const std::string& FileName() const { return fFileName; }
    // The empty text names "Options.ini" in the parent of the current directory. A path
    // whose directory does not exist is taken relative to that directory; an absolute or
    // Windows-style one (with "\" or ":") is first cut to its file name, so a design-time
    // path such as X:\Somewhere\Options.ini becomes <that directory>/Options.ini.
    void SetFileName(std::string V);
    TReg& Reg() { return fReg; }
    const TReg& Reg() const { return fReg; }
    TPlaceOptions Place() const { return fPlace; }
    void SetPlace(TPlaceOptions value) { fPlace = value; }
    TOptionList& Items() { return fItems; }
    const TOptionList& Items() const { return fItems; }
    bool AutoSave() const { return fAutoSave; }
    void SetAutoSave(bool value) { fAutoSave = value; }
    // The INI file of FileName; null until FileName is first assigned.
    TIniFile* IniFile() const { return fIniFile.get(); }

    TNotifyOptionChangeEvent OnOptionChange;
    TNotifyOptionChangeEvent OnOptionLoad;
    TOptionsNotifyEvent OnLoaded;

    void SaveOption(TOption* CurentOption);
    // Gives the option its stored text (or its default) without reporting a change, then
    // calls OnOptionLoad. Errors reach the caller; the option's Changed is put back anyway.
    void LoadOption(TOption* CurentOption);
    void SaveAllOptions();
    // See the top of this file for what happens when an option fails to load.
    void LoadAllOptions();

    std::string Read(std::string_view Section, std::string_view Ident, std::string_view Default);
    // poIniFile: whether the file exists afterwards; poRegistry: whether the text reads
    // back; poNone: false.
    bool Write(std::string_view Section, std::string_view Ident, std::string_view Value);
    bool ReadSections(std::vector<std::string>& Strings);
    // Key (value) names only.
    bool ReadSectionValues(std::string_view Section, std::vector<std::string>& Strings);

    // The stored property "Content", always stored (an empty list too).
    void DefineProperties(TFiler& Filer);
    void WriteContent(TWriter& Writer);
    // Replaces the list with the one read. Texts are set before the options join the
    // list, so nothing is saved or reported. On an error the list is left as it was.
    void ReadContent(TReader& Reader);

private:
    friend class TOptionList;
    void OptionChanged(TOption* CurentOption);
    TIniFile& Ini();
    std::string RegistryPath(std::string_view Section) const;

    std::string fFileName;
    std::unique_ptr<TIniFile> fIniFile;
    TReg fReg;
    TPlaceOptions fPlace = poNone;
    TOptionList fItems{this};
    bool fAutoSave = false;
};

// The property "Content" of a store as stored-form bytes (name, then list), and back.
std::string WriteContentProperty(TOptions& Options);
void ReadContentProperty(TOptions& Options, std::string_view bytes);
