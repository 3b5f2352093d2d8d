#include "platform/win/screen_win.h"

#include <windows.h>

namespace {

// The screen's device context, released on every path.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (dc_) {
            ReleaseDC(nullptr, dc_);
        }
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

} // namespace

bool WindowsScreen::queryCaps(ScreenCaps* caps) {
    ScreenDC screen;
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
