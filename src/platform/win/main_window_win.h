// MainWindow on Windows: the window class, the window and its twenty
// controls built from the definition tables, and the message loop with the
// program's keyboard rules.
#pragma once

#include <windows.h>

#include "app/startup.h"

class WindowsMainWindow : public WindowFrame {
  public:
    WindowsMainWindow(HINSTANCE instance, int showCommand);
    WindowsMainWindow(const WindowsMainWindow&) = delete;
    WindowsMainWindow& operator=(const WindowsMainWindow&) = delete;

    // Where clicks and the other events go; set before create().
    void setEventSink(WindowEventSink& events) { events_ = &events; }

    bool create() override;
    void show() override;
    void runMessageLoop() override;

    // Null before create() and after the window has been destroyed.
    HWND handle() const { return window_; }
    // Destroys the window once the message that is being handled now returns.
    void requestDestroy();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool registerWindowClass(HICON bigIcon, HICON smallIcon);
    bool createControls();
    void arrangeTabOrder();
    bool handleKeyboard(const MSG& message);
    void moveFocus(bool backwards);

    void onCommand(WPARAM wParam, LPARAM lParam);
    void onActivate(WPARAM wParam);
    void onSetFocus();
    void onDisplayChange();
    void onDestroy();
    void raise(int source, WindowEvent event);

    HINSTANCE instance_;
    WindowEventSink* events_ = nullptr;
    int showCommand_;
    HWND window_ = nullptr;
    // The control to give the focus back to when the window is activated.
    HWND focus_ = nullptr;
    HFONT font_ = nullptr; // the window's own font, as WM_GETFONT reports it
};
