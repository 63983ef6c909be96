// The X11 tests run on the X server of $DISPLAY when one answers; otherwise on the offscreen
// platform, where each of them skips.
#include "platform/X11ForeignGrab.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", platform::X11DisplayAvailable() ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
