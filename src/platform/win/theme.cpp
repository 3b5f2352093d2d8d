// Placeholder until the theme facility is built: remembers the style only.
#include "platform/win/theme.h"

namespace {
int gThemeStyle = 0;
}

void setThemeStyle(int style) {
    gThemeStyle = style;
}
int themeStyle() {
    return gThemeStyle;
}
bool isControlThemed(HWND) {
    return false;
}
