// The drawing half of the theme: the palettes, one cache of their brushes and
// pens, and a paint function per restyled control kind. The subclassing that
// calls them lives in theme.cpp.
#pragma once

#include <windows.h>

// What the subclass procedures track themselves; everything else (pressed,
// checked, focused, enabled, default) is asked of the control when it paints.
struct ControlLook {
    bool hot = false;    // the mouse is over the control
    int hotPart = 0;     // up-down: 1 for the first half under the mouse, 2 for the second
    int pressedPart = 0; // up-down: the half held down
};

// Chooses the palette of `style` (1 to 3) for all later painting.
void useThemePalette(int style);
// Deletes every brush and pen the painting has created so far.
void releaseThemeObjects();

// Each paints the whole client area `client` of `control` into `dc`, a memory
// DC the caller copies to the screen. The returned rectangle is a part the
// caller must leave alone (a group box's inside, where its siblings are).
RECT paintButton(HWND control, HDC dc, const RECT& client, const ControlLook& look);
void paintUpDown(HWND control, HDC dc, const RECT& client, const ControlLook& look);
// Paints over a combo box's own client drawing in `dc`: its frame and arrow.
void paintComboFrame(HWND control, HDC dc, const RECT& client, const ControlLook& look);
// Paints the border of an edit box or a drop-down list over its non-client
// area in `windowDc` (a DC whose origin is the window's top-left corner).
void paintFrameBorder(HWND control, HDC windowDc, bool focused, bool hot);
