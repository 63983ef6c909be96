#include "options/Options.h"

#include "platform/AtomicFile.h"

#include <filesystem>

namespace {

constexpr std::string_view kAllSections = "%All%";
constexpr std::string_view kHeaders[] = {"TOptionList v.1.1", "TOptionList v.1.2", "TOptionList v.1.3"};
constexpr std::string_view kTypeNames[] = {"string",   "Integer", "Boolean", "Float",
                                           "DateTime", "Color",   "ShortCut"};

// The directory part of the current directory: up to and including its last "/", so the
// parent of the current directory (the root stays the root).
std::string CurrentDirectoryPart() {
    std::error_code ec;
    const std::string current = std::filesystem::current_path(ec).string();
    if (ec) return {};
    return platform::DirectoryOf(current);
}

bool DirectoryExists(const std::string& directory) {
    std::error_code ec;
    return !directory.empty() && std::filesystem::is_directory(directory, ec);
}

std::string JoinedMessages(const std::vector<ELoadOptionsError::Failure>& failures) {
    std::string text;
    for (const auto& failure : failures) {
        if (!text.empty()) text += '\n';
        text += failure.Message;
    }
    return text;
}

} // namespace

std::string OptionTypeName(TOptionType type) {
    return type <= otShortCut ? std::string(kTypeNames[type]) : std::string(kTypeNames[otString]);
}

TOptionType OptionTypeFromName(std::string_view name) {
    std::string lowered(name);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    static constexpr std::string_view lowerNames[] = {"string",   "integer", "boolean", "float",
                                                      "datetime", "color",   "shortcut"};
    for (uint8_t type = otString; type <= otShortCut; ++type)
        if (lowered == lowerNames[type]) return static_cast<TOptionType>(type);
    return otString;
}

// ---- TOption ----

void TOption::SetValueAsString(const std::string& value) {
    if (value == fValueAsString) return;
    fValueAsString = value;
    if (Changed) Changed(this);
}

void TOption::Change() {
    if (Changed) Changed(this);
}

// ---- TOptionList ----

int32_t TOptionList::GetFreeSlot() {
    if (!FreeIndex.empty()) {
        const int32_t slot = FreeIndex.back();
        FreeIndex.pop_back();
        return slot;
    }
    Item.emplace_back();
    return static_cast<int32_t>(Item.size() - 1);
}

int32_t TOptionList::Add(std::unique_ptr<TOption> S) {
    if (fOwner && S) {
        TOptions* owner = fOwner;
        S->Save = [owner](TOption* CurentOption) { owner->SaveOption(CurentOption); };
        S->Load = [owner](TOption* CurentOption) { owner->LoadOption(CurentOption); };
        S->Changed = [owner](TOption* CurentOption) { owner->OptionChanged(CurentOption); };
    }
    const int32_t slot = GetFreeSlot();
    Item[static_cast<size_t>(slot)] = std::move(S);
    VirtualIndex.push_back(slot);
    return fCount++;
}

int32_t TOptionList::Insert(std::unique_ptr<TOption>&& S, int32_t Index) {
    if (!Valid(Index)) return -1;
    const int32_t slot = GetFreeSlot();
    Item[static_cast<size_t>(slot)] = std::move(S);
    VirtualIndex.insert(VirtualIndex.begin() + Index, slot);
    ++fCount;
    return Index;
}

std::unique_ptr<TOption> TOptionList::Remove(int32_t Index) {
    if (!Valid(Index)) return nullptr;
    const int32_t slot = VirtualIndex[static_cast<size_t>(Index)];
    FreeIndex.push_back(slot);
    VirtualIndex.erase(VirtualIndex.begin() + Index);
    --fCount;
    return std::move(Item[static_cast<size_t>(slot)]);
}

std::unique_ptr<TOption> TOptionList::Replace(std::unique_ptr<TOption>&& S, int32_t Index) {
    if (!Valid(Index)) return nullptr;
    auto& slot = Item[static_cast<size_t>(VirtualIndex[static_cast<size_t>(Index)])];
    std::unique_ptr<TOption> old = std::move(slot);
    slot = std::move(S);
    return old;
}

void TOptionList::Move(int32_t A, int32_t B) {
    if (!Valid(A) || !Valid(B)) return;
    std::swap(VirtualIndex[static_cast<size_t>(A)], VirtualIndex[static_cast<size_t>(B)]);
}

TOption* TOptionList::Find(std::string_view Ident, std::string_view Section, int32_t StartPos) const {
    if (!Valid(StartPos)) return nullptr;
    const bool anySection = Section == kAllSections;
    for (int32_t position = StartPos; position < fCount; ++position) {
        TOption* option = GetItem(position);
        if (option && option->Ident() == Ident && (anySection || option->Section() == Section)) return option;
    }
    return nullptr;
}

void TOptionList::Clear() {
    // Taken out first, so an option's destruction never sees a half-cleared list.
    std::vector<std::unique_ptr<TOption>> doomed;
    for (int32_t position = 0; position < fCount; ++position)
        doomed.push_back(std::move(Item[static_cast<size_t>(VirtualIndex[static_cast<size_t>(position)])]));
    fCount = 0;
    FreeIndex.clear();
    VirtualIndex.clear();
    Item.clear();
}

TOption* TOptionList::GetItem(int32_t Index) const {
    return Valid(Index) ? Item[static_cast<size_t>(VirtualIndex[static_cast<size_t>(Index)])].get() : nullptr;
}

// ---- TReg ----

void TReg::SetRootKey(std::string value) {
    fRootKey = std::move(value);
    if (OnChange) OnChange(this);
}

void TReg::SetKey(std::string value) {
    fKey = std::move(value);
    if (OnChange) OnChange(this);
}

// ---- TOptions ----

ELoadOptionsError::ELoadOptionsError(std::vector<Failure> failures)
    : std::runtime_error(JoinedMessages(failures)), fFailures(std::move(failures)) {}

void TOptions::SetFileName(std::string V) {
    const std::string D = CurrentDirectoryPart();
    if (V.empty()) V = D + "Options.ini";
    if (!DirectoryExists(platform::DirectoryOf(V))) {
        if (V.front() == '/' || V.find_first_of(":\\") != std::string::npos)
            V = V.substr(V.find_last_of("/\\:") + 1);
        V = D + V;
    }
    fFileName = V;
    fIniFile = std::make_unique<TIniFile>(V);
}

TIniFile& TOptions::Ini() {
    // Before any file name was given the store behaves as if given the empty one.
    if (!fIniFile) SetFileName({});
    return *fIniFile;
}

std::string TOptions::RegistryPath(std::string_view Section) const {
    return fReg.Key() + "\\" + std::string(Section);
}

void TOptions::SaveOption(TOption* CurentOption) {
    if (!CurentOption) return;
    switch (fPlace) {
    case poIniFile:
        Ini().WriteString(CurentOption->Section(), CurentOption->Ident(), CurentOption->ValueAsString());
        break;
    case poRegistry:
        fReg.Store().WriteString(RegistryPath(CurentOption->Section()), CurentOption->Ident(),
                                 CurentOption->ValueAsString());
        break;
    case poNone:
        break;
    }
}

void TOptions::LoadOption(TOption* CurentOption) {
    if (!CurentOption) return;
    struct PutBack {
        TOption* option;
        TSaveLoadOptionProcedure changed;
        ~PutBack() { option->Changed = std::move(changed); }
    } putBack{CurentOption, std::move(CurentOption->Changed)};
    CurentOption->Changed = nullptr;

    switch (fPlace) {
    case poIniFile:
        CurentOption->SetValueAsString(
            Ini().ReadString(CurentOption->Section(), CurentOption->Ident(), CurentOption->DefaultValue()));
        break;
    case poRegistry:
        CurentOption->SetValueAsString(
            Read(CurentOption->Section(), CurentOption->Ident(), CurentOption->DefaultValue()));
        break;
    case poNone:
        break;
    }
    if (OnOptionLoad) OnOptionLoad(this, CurentOption);
}

void TOptions::SaveAllOptions() {
    for (int32_t position = 0; position < fItems.Count(); ++position) SaveOption(fItems.GetItem(position));
}

void TOptions::LoadAllOptions() {
    std::vector<ELoadOptionsError::Failure> failures;
    auto failed = [&failures](std::string ident) {
        std::string message = "unknown error";
        try {
            throw;
        } catch (const std::exception& error) {
            message = error.what();
        } catch (...) {
        }
        failures.push_back({std::move(ident), std::move(message), std::current_exception()});
    };
    // The file is read once for the whole load; the batch ends with this INI object (a
    // handler that renames the file gets a fresh one).
    TIniFile* batched = fPlace == poIniFile ? &Ini() : nullptr;
    if (batched) batched->BeginBatch();
    for (int32_t position = 0; position < fItems.Count(); ++position) {
        TOption* option = fItems.GetItem(position);
        if (!option) continue;
        const std::string ident = option->Ident();
        try {
            LoadOption(option);
        } catch (...) {
            failed(ident);
        }
    }
    if (batched && batched == fIniFile.get()) batched->EndBatch();
    if (OnLoaded) {
        try {
            OnLoaded(this);
        } catch (...) {
            failed({});
        }
    }
    if (!failures.empty()) throw ELoadOptionsError(std::move(failures));
}

void TOptions::OptionChanged(TOption* CurentOption) {
    if (fAutoSave) SaveOption(CurentOption);
    if (OnOptionChange) OnOptionChange(this, CurentOption);
}

std::string TOptions::Read(std::string_view Section, std::string_view Ident, std::string_view Default) {
    switch (fPlace) {
    case poIniFile:
        return Ini().ReadString(Section, Ident, Default);
    case poRegistry: {
        auto value = fReg.Store().ReadString(RegistryPath(Section), Ident);
        return value ? std::move(*value) : std::string(Default);
    }
    case poNone:
        break;
    }
    return {};
}

bool TOptions::Write(std::string_view Section, std::string_view Ident, std::string_view Value) {
    switch (fPlace) {
    case poIniFile:
        Ini().WriteString(Section, Ident, Value);
        return platform::FileExists(fIniFile->FileName());
    case poRegistry: {
        TRegStore store = fReg.Store();
        const std::string path = RegistryPath(Section);
        store.WriteString(path, Ident, Value);
        return store.ReadString(path, Ident) == std::string(Value);
    }
    case poNone:
        break;
    }
    return false;
}

bool TOptions::ReadSections(std::vector<std::string>& Strings) {
    switch (fPlace) {
    case poIniFile:
        Ini().ReadSections(Strings);
        break;
    case poRegistry:
        Strings = fReg.Store().SubKeyNames(fReg.Key());
        break;
    case poNone:
        break;
    }
    return true;
}

bool TOptions::ReadSectionValues(std::string_view Section, std::vector<std::string>& Strings) {
    switch (fPlace) {
    case poIniFile:
        Ini().ReadSection(Section, Strings);
        break;
    case poRegistry:
        Strings = fReg.Store().ValueNames(RegistryPath(Section));
        break;
    case poNone:
        break;
    }
    return true;
}

// ---- the stored form ----

void TOptions::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "Content", [this](TReader& Reader) { ReadContent(Reader); },
        [this](TWriter& Writer) { WriteContent(Writer); }, true);
}

void TOptions::WriteContent(TWriter& Writer) {
    Writer.WriteListBegin();
    Writer.WriteString(kHeaders[2]);
    for (int32_t position = 0; position < fItems.Count(); ++position) {
        const TOption* option = fItems.GetItem(position);
        if (!option) continue;
        Writer.WriteString(option->Ident());
        Writer.WriteString(option->Section());
        Writer.WriteString(option->DefaultValue());
        Writer.WriteString(option->ValueAsString());
        Writer.WriteString(OptionTypeName(option->OptionVarType()));
    }
    Writer.WriteListEnd();
}

void TOptions::ReadContent(TReader& Reader) {
    std::vector<std::unique_ptr<TOption>> read;
    Reader.ReadListBegin();
    // An empty list (not even a header) is an empty catalogue.
    if (!Reader.EndOfList()) {
        const std::string first = Reader.ReadString();
        bool headed = false;
        for (std::string_view header : kHeaders) headed = headed || first == header;
        const int itemsPerRecord = headed ? 5 : 4;
        auto fresh = std::make_unique<TOption>();
        int item = 0;
        if (!headed) {
            fresh->SetIdent(first);
            item = 1;
        }
        while (!Reader.EndOfList()) {
            std::string text = Reader.ReadString();
            switch (item) {
            case 0:
                fresh->SetIdent(std::move(text));
                break;
            case 1:
                fresh->SetSection(std::move(text));
                break;
            case 2:
                fresh->SetDefaultValue(std::move(text));
                break;
            case 3:
                fresh->SetValueAsString(text);
                break;
            case 4:
                fresh->SetOptionVarType(OptionTypeFromName(text));
                break;
            }
            if (++item == itemsPerRecord) {
                read.push_back(std::move(fresh));
                fresh = std::make_unique<TOption>();
                item = 0;
            }
        }
        // A record the end of the list cuts short is dropped with `fresh`.
    }
    Reader.ReadListEnd();
    fItems.Clear();
    for (auto& option : read) fItems.Add(std::move(option));
}

std::string WriteContentProperty(TOptions& Options) {
    TWriter writer;
    Options.DefineProperties(writer);
    return writer.Bytes();
}

void ReadContentProperty(TOptions& Options, std::string_view bytes) {
    TReader reader(bytes);
    reader.ReadProperty([&Options](TFiler& Filer) { Options.DefineProperties(Filer); });
}
