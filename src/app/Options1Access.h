#pragma once
// Reading and writing one setting of Options1 by its ident, in whatever section it is.
#include "options/OptionValue.h"

// The setting's typed value; a text that does not convert raises EConvertError.
TVariant OptionValue(const char* ident);
// Assigns the setting: when its text changes it is saved and applied at once.
void SetOptionValue(const char* ident, const TVariant& value);
