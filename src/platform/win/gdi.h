// Small owners for GDI state borrowed for one scope.
#pragma once

#include <windows.h>

// The screen's device context, released on every path.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_) {
            ReleaseDC(nullptr, dc_);
        }
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// An object selected into a DC for one scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, old_); }

  private:
    HDC dc_;
    HGDIOBJ old_;
};
