#pragma once
// The two 16 x 16 images the tray icon cycles through.
#include <QIcon>

inline constexpr int kTrayImageCount = 2;
QIcon TrayIconImage(int index);
