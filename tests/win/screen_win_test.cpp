#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win/screen_win.h"
#include "sources/display_mode.h"

namespace {

DisplayMode query() {
    WindowsScreen screen;
    return queryDesktopMode(screen);
}

TEST(DesktopMode, MatchesTheScreenInPhysicalPixels) {
    DisplayMode mode = query();
    EXPECT_EQ(mode.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(mode.height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(mode.bitsPerPixel, 0);
    EXPECT_GT(mode.refreshRate, 0);
}

TEST(DesktopMode, FullHdScreenAt1920x1080) {
    DisplayMode mode = query();
    EXPECT_EQ(mode.width, 1920);
    EXPECT_EQ(mode.height, 1080);
}

TEST(DesktopMode, LaptopScreenAt1366x768) {
    DisplayMode mode = query();
    EXPECT_EQ(mode.width, 1366);
    EXPECT_EQ(mode.height, 768);
}

} // namespace
