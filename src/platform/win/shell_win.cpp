#include "platform/win/shell_win.h"

#include <windows.h>

#include "platform/win/chinese_font.h"
#include "platform/win/gbk.h"
#include "platform/win/main_window_win.h"
#include "platform/win/theme.h"

void WindowsShell::setControlText(int controlId, const char* text) {
    WideText wide = gbkToWide(text);
    SetDlgItemTextW(window_.handle(), controlId, wide.c_str());
}

Text WindowsShell::controlText(int controlId) {
    WideText text = windowText(GetDlgItem(window_.handle(), controlId));
    return wideToGbk(text.c_str(), text.length());
}

void WindowsShell::showMessage(const char* text, const char* title) {
    WideText wideText = gbkToWide(text);
    WideText wideTitle = gbkToWide(title);
    // No owner and task-modal: every top-level window of this thread, the
    // main window included, is disabled until the box is dismissed, so no
    // other handler can start meanwhile.
    ChineseMessageBoxGuard chinese;
    MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), MB_OK | MB_TASKMODAL);
}

void WindowsShell::setTheme(int style) {
    setThemeStyle(style);
}

void WindowsShell::closeMainWindow() {
    window_.requestDestroy();
}
