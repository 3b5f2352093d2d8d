// The theme facility: restyles the push buttons, edit boxes and similar
// standard controls of every window of the calling thread, notices included.
#pragma once

#include <windows.h>

// Remembers `style`; 1 to 3 switch theming off and on again with that style,
// any other value only switches it off.
void setThemeStyle(int style);

// The style last set with setThemeStyle (0 before any call).
int themeStyle();

// Whether the facility currently draws `control` (for tests and diagnostics).
bool isControlThemed(HWND control);

// How many controls the facility currently draws; each is counted once however
// often the theme was switched on (for tests and diagnostics).
int themedControlCount();
