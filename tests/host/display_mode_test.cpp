#include <gtest/gtest.h>

#include "fakes/fake_screen.h"
#include "sources/display_mode.h"

namespace {

TEST(QueryDesktopMode, CopiesTheScreenCapabilities) {
    FakeScreen screen;
    screen.caps = ScreenCaps{1366, 768, 24, 75};
    DisplayMode mode = queryDesktopMode(screen);
    EXPECT_EQ(mode.width, 1366);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.bitsPerPixel, 24);
    EXPECT_EQ(mode.refreshRate, 75);
}

TEST(QueryDesktopMode, NoScreenGivesZeros) {
    FakeScreen screen;
    screen.present = false;
    DisplayMode mode = queryDesktopMode(screen);
    EXPECT_EQ(mode.width, 0);
    EXPECT_EQ(mode.height, 0);
    EXPECT_EQ(mode.bitsPerPixel, 0);
    EXPECT_EQ(mode.refreshRate, 0);
}

} // namespace
