#include "platform/win/screen_win.h"

#include <windows.h>

#include "platform/win/gdi.h"

bool WindowsScreen::queryCaps(ScreenCaps* caps) {
    ScreenDc screen;
    if (!screen.get()) {
        return false;
    }
    // DESKTOPHORZRES/DESKTOPVERTRES are the real pixels. HORZRES/VERTRES are
    // scaled down for a program that is not DPI-aware when display scaling is
    // above 100%: a 1920x1080 laptop at 150% would report 1280x720.
    caps->refreshRate = GetDeviceCaps(screen.get(), VREFRESH);
    caps->height = GetDeviceCaps(screen.get(), DESKTOPVERTRES);
    caps->width = GetDeviceCaps(screen.get(), DESKTOPHORZRES);
    caps->bitsPerPixel = GetDeviceCaps(screen.get(), BITSPIXEL);
    return true;
}
