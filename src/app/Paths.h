#pragma once
// Everything the program stores lies in the directory of its executable.
#include <string>

// The executable's directory with its trailing "/".
std::string ExeDir();
// Tests keep the program's files in a directory of their own; the empty text restores
// the executable's directory.
void SetExeDirForTest(const std::string& dir);
