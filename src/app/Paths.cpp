#include "app/Paths.h"

#include <QCoreApplication>

namespace {
std::string gOverride;
}

std::string ExeDir() {
    if (!gOverride.empty()) return gOverride;
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

void SetExeDirForTest(const std::string& dir) {
    gOverride = dir;
    if (!gOverride.empty() && gOverride.back() != '/') gOverride += '/';
}
