// The desktop's display mode, queried from the primary screen.
#pragma once

#include <cstdint>

class Screen;

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t refreshRate = 0;
};

// The primary screen's current mode; all zeros when there is no screen to ask.
DisplayMode queryDesktopMode(Screen& screen);
