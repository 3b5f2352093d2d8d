#include "platform/win/shell_win.h"

#include <windows.h>

#include <cstdlib>

#include "platform/win/chinese_font.h"
#include "platform/win/gbk.h"
#include "platform/win/main_window_win.h"
#include "platform/win/theme.h"

namespace {

// A block of UTF-16 units on the C heap, freed on every path.
class WideBuffer {
  public:
    explicit WideBuffer(size_t units)
        : data_(static_cast<wchar_t*>(calloc(units ? units : 1, sizeof(wchar_t)))) {}
    WideBuffer(const WideBuffer&) = delete;
    WideBuffer& operator=(const WideBuffer&) = delete;
    ~WideBuffer() { free(data_); }
    wchar_t* get() const { return data_; }

  private:
    wchar_t* data_;
};

} // namespace

void WindowsShell::setControlText(int controlId, const char* text) {
    WideText wide = gbkToWide(text);
    SetDlgItemTextW(window_.handle(), controlId, wide.c_str());
}

Text WindowsShell::controlText(int controlId) {
    HWND control = GetDlgItem(window_.handle(), controlId);
    if (!control) {
        return Text();
    }
    int length = GetWindowTextLengthW(control);
    if (length <= 0) {
        return Text();
    }
    WideBuffer buffer(static_cast<size_t>(length) + 1);
    if (!buffer.get()) {
        return Text();
    }
    int copied = GetWindowTextW(control, buffer.get(), length + 1);
    return wideToGbk(buffer.get(), copied);
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
