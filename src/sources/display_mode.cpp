#include "sources/display_mode.h"

#include "platform/screen.h"

DisplayMode queryDesktopMode(Screen& screen) {
    DisplayMode mode;
    ScreenCaps caps;
    if (!screen.queryCaps(&caps)) {
        return mode;
    }
    mode.width = caps.width;
    mode.height = caps.height;
    mode.bitsPerPixel = caps.bitsPerPixel;
    mode.refreshRate = caps.refreshRate;
    return mode;
}
