#pragma once
// The program's 18 settings, as data. The program does not build its option list in code:
// it reads the list from its stored form ("Content"), made from this table, on every start.
#include "options/Options.h"

#include <array>
#include <string>
#include <string_view>

struct TCatalogueEntry {
    std::string_view Ident;
    std::string_view Section;
    std::string_view Default;
    TOptionType Type;
};

// In list order, which is also the order of loading, saving and of the load events.
extern const std::array<TCatalogueEntry, 18> Catalogue;

// The property "Content" of Options1 in stored-form bytes: its name, then the list with the
// header "TOptionList v.1.3" and one record per entry, every current text empty.
std::string CatalogueContent();

// Gives a store the stored properties of Options1 in their stored order: the registry
// location (HKEY_CURRENT_USER, "SOFTWARE\version 2"), the place poIniFile, AutoSave on,
// and the catalogue read from CatalogueContent(). The file name and the events are the
// data module's to set; reading the catalogue saves nothing and raises no event.
void ReadCatalogue(TOptions& Options);
