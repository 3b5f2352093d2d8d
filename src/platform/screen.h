// The screen's device capabilities, as one query of the primary display.
#pragma once

#include <cstdint>

struct ScreenCaps {
    int32_t width = 0;        // physical pixels across the desktop
    int32_t height = 0;       // physical pixels down the desktop
    int32_t bitsPerPixel = 0; // colour depth
    int32_t refreshRate = 0;  // hertz
};

class Screen {
  public:
    virtual ~Screen() = default;
    // False when there is no screen to ask; `caps` is then left untouched.
    virtual bool queryCaps(ScreenCaps* caps) = 0;
};
