// The user interface the handlers act on, over the real MainWindow and
// MessageBoxW. Texts cross in GBK and are converted with code page 936.
#pragma once

#include "platform/shell.h"

class WindowsMainWindow;

class WindowsShell : public Shell {
  public:
    explicit WindowsShell(WindowsMainWindow& window) : window_(window) {}

    void setControlText(int controlId, const char* text) override;
    Text controlText(int controlId) override;
    void showMessage(const char* text, const char* title) override;
    void setTheme(int style) override;
    void closeMainWindow() override;

  private:
    WindowsMainWindow& window_;
};
