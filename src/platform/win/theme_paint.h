// The theme's drawing: one paint function per kind of control, the colours of
// the three styles and the one cache of brushes and pens they share.
#pragma once

#include <windows.h>

// What the theme draws a control as; decided once, when it is restyled.
enum class ControlKind {
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    ComboBox,
    ComboList,
    UpDown
};

// The halves of an up-down control the pointer can be over or press.
enum UpDownPart { NoPart = 0, UpPart = 1, DownPart = 2 };

// What a paint function needs beyond what the control reports itself: the
// pointer's whereabouts, which only the subclass procedure sees.
struct ControlLook {
    bool hover;
    int hotPart;
    int pressedPart;
};

// Edits and drop-down lists keep their own client drawing; only their border
// is ours, drawn in the non-client area.
inline bool drawsOnlyFrame(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboList;
}

// Chooses the colours later paints use; 1 to 3.
void selectThemePalette(int style);
// Deletes every brush and pen the paints created.
void releaseThemeCache();

// Paints the whole client area of `control` into `dc`.
void paintControl(HWND control, HDC dc, ControlKind kind, const ControlLook& look);
// Paints the border of an edit box or list into `windowDc` (origin at the
// window's top-left corner).
void paintControlFrame(HWND control, HDC windowDc, ControlKind kind, const ControlLook& look);

// The up-down half at a client point.
int upDownPartAt(HWND control, POINT point);
