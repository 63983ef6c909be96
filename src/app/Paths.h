#pragma once
// Everything the program stores lies in the directory of its executable.
#include <QCoreApplication>
#include <string>

// The executable's directory with its trailing "/".
inline std::string ExeDir() {
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}
