// MainWindow as data: its caption, size and placement, its twenty controls
// and the order in which Tab walks them. The Windows side builds the window
// from these tables, and the tests read the same tables.
#pragma once

#include <cstddef>

#include "app/controls.h"

enum class ControlKind { Label, PushButton, EditBox };

struct ControlDefinition {
    ControlId id;
    ControlKind kind;
    int left; // client-area pixels
    int top;
    int width;
    int height;
    const char* text; // GBK
};

extern const char* const MainWindowCaption;
constexpr int MainWindowWidth = 623; // outer size, frame included
constexpr int MainWindowHeight = 390;
// The corner the definition records; centring on the screen overrides it.
constexpr int MainWindowDefaultLeft = 50;
constexpr int MainWindowDefaultTop = 50;

constexpr size_t MainWindowControlCount = 20;
extern const ControlDefinition mainWindowControls[MainWindowControlCount];

// The controls that take the focus, in Tab order; Tab wraps from the last to
// the first and Shift+Tab walks it backwards. Labels are not in it.
constexpr size_t TabOrderLength = 11;
extern const ControlId tabOrder[TabOrderLength];

// The control that has the focus when the window first gets it.
constexpr ControlId FirstFocus = ControlId::编辑框_宽;

// A control's definition, or null for an id that is not on the window.
const ControlDefinition* findControl(ControlId id);

struct WindowCorner {
    int left;
    int top;
};

// The outer top-left corner that centres the window on a screen of this size.
// The divisions truncate, so a screen narrower than the window puts the corner
// at a negative position rounded towards zero.
WindowCorner centredCorner(int screenWidth, int screenHeight);
