#include "settings/Catalogue.h"

// clang-format off
const std::array<TCatalogueEntry, 18> Catalogue = {{
    // ident                  section    default        type
    {"ChartTimer",            "Value",   "60000",       otInteger},
    {"FloatWindow",           "Value",   "Tasks",       otString},
    {"FormHeight",            "Value",   "220",         otInteger},
    {"AutoHide",              "Tasks",   "true",        otBoolean},
    {"SortType",              "Tasks",   "ActiveUp",    otString},
    {"TaskOperation",         "Tasks",   "AutoHide",    otString},
    {"FloatHide",             "Tasks",   "True",        otBoolean},
    {"FloatTimer",            "Tasks",   "3000",        otInteger},
    {"RemoveTaskCompleted",   "Tasks",   "False",       otBoolean},
    {"rtc_Event",             "Tasks",   "close",       otString},
    {"rtc_TimePeriod",        "Tasks",   "day",         otString},
    {"rtc_TimeCount",         "Tasks",   "1",           otInteger},
    {"AlphaBlend",            "Effects", "true",        otBoolean},
    {"AlphaBlendInc",         "Effects", "50",          otInteger},
    {"HK_Show_Hide",          "HotKeys", "Ctrl+Alt+Z",  otShortCut},
    {"HK_AddTask",            "HotKeys", "Ctrl+Alt+C",  otShortCut},
    {"HK_Exit",               "HotKeys", "Ctrl+Alt+E",  otShortCut},
    {"Autorun",               "Value",   "False",       otBoolean},
}};
// clang-format on

std::string CatalogueContent() {
    TWriter writer;
    writer.WritePropName("Content");
    writer.WriteListBegin();
    writer.WriteString("TOptionList v.1.3");
    for (const auto& entry : Catalogue) {
        writer.WriteString(entry.Ident);
        writer.WriteString(entry.Section);
        writer.WriteString(entry.Default);
        writer.WriteString("");
        writer.WriteString(OptionTypeName(entry.Type));
    }
    writer.WriteListEnd();
    return writer.Bytes();
}

void ReadCatalogue(TOptions& Options) {
    Options.Reg().SetRootKey("HKEY_CURRENT_USER");
    Options.Reg().SetKey("SOFTWARE\\version 2");
    Options.SetPlace(poIniFile);
    Options.SetAutoSave(true);
    static const std::string content = CatalogueContent();
    ReadContentProperty(Options, content);
}
