#include "platform/win/main_window_win.h"

#include "app/controls.h"
#include "app/main_window.h"
#include "platform/win/chinese_font.h"
#include "platform/win/gbk.h"
#include "platform/win/resource.h"

namespace {

const wchar_t* const WindowClassName = L"PixmoraMainWindow";

// A fixed dialog frame with a title bar, the system menu with its close box
// and a minimise box: no sizing border, no maximise box.
const DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Posted by requestDestroy, so the window is destroyed by the message loop
// after the handler that asked for it has returned.
const UINT DestroyRequestMessage = WM_APP + 1;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Labels are plain statics without SS_NOTIFY, so they react to nothing.
// Buttons are never BS_DEFPUSHBUTTON: Enter is meant to press nothing.
ControlClass controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: {
        return {L"STATIC", SS_LEFT, 0};
    }
    case ControlKind::PushButton: {
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    }
    case ControlKind::EditBox: {
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    }
    }
    return {L"STATIC", 0, 0};
}

HICON loadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    // Shared icons belong to the system, which frees them with the module.
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PIXMORA), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

bool isModifierHeld() {
    return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

} // namespace

WindowsMainWindow::WindowsMainWindow(HINSTANCE instance, int showCommand)
    : instance_(instance), showCommand_(showCommand) {}

bool WindowsMainWindow::create() {
    // Loaded once, for the class and for the window alike.
    HICON bigIcon = loadProgramIcon(instance_, SM_CXICON, SM_CYICON);
    HICON smallIcon = loadProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON);
    if (!registerWindowClass(bigIcon, smallIcon)) {
        return false;
    }
    WindowCorner corner =
        centredCorner(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    WideText caption = gbkToWide(MainWindowCaption);
    HWND window = CreateWindowExW(0, WindowClassName, caption.c_str(), MainWindowStyle, corner.left,
                                  corner.top, MainWindowWidth, MainWindowHeight, nullptr, nullptr,
                                  instance_, this);
    if (!window) {
        return false;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont()), FALSE);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (!createControls()) {
        DestroyWindow(window);
        return false;
    }
    arrangeTabOrder();
    focus_ = GetDlgItem(window_, controlNumber(FirstFocus));
    return true;
}

void WindowsMainWindow::show() {
    ShowWindow(window_, showCommand_);
    UpdateWindow(window_);
}

void WindowsMainWindow::runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window_ && handleKeyboard(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowsMainWindow::requestDestroy() {
    if (window_) {
        PostMessageW(window_, DestroyRequestMessage, 0, 0);
    }
}

bool WindowsMainWindow::registerWindowClass(HICON bigIcon, HICON smallIcon) {
    // A second window of the same process (the tests make several) reuses
    // the class.
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance_, WindowClassName, &existing)) {
        return true;
    }
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool WindowsMainWindow::createControls() {
    HFONT font = windowFont();
    for (const ControlDefinition& control : mainWindowControls) {
        ControlClass kind = controlClass(control.kind);
        WideText text = gbkToWide(control.text);
        HWND child = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
            control.left, control.top, control.width, control.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlNumber(control.id))), instance_,
            nullptr);
        if (!child) {
            return false;
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

// Tab follows the order of the children, so the focusable controls are put
// first, in Tab order; the labels stay behind them.
void WindowsMainWindow::arrangeTabOrder() {
    HWND previous = HWND_TOP;
    for (ControlId id : tabOrder) {
        HWND control = GetDlgItem(window_, controlNumber(id));
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

// Tab and Shift+Tab walk the controls as in a dialog box. The dialog
// manager (IsDialogMessage) is not used for it: it makes whichever push
// button gets the focus the default button, and this window has none.
void WindowsMainWindow::moveFocus(bool backwards) {
    HWND next = GetNextDlgTabItem(window_, GetFocus(), backwards ? TRUE : FALSE);
    if (!next) {
        return;
    }
    SetFocus(next);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(next, EM_SETSEL, 0, -1); // a box reached by Tab has its text selected
    }
}

// The keys the window handles itself: Tab, Esc, Enter and F1.
bool WindowsMainWindow::handleKeyboard(const MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) {
        return false;
    }
    if (message.message == WM_CHAR) {
        // A carriage return that reaches an edit box some other way than
        // through the key is dropped too, so the box never beeps at it.
        return message.wParam == '\r';
    }
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    switch (message.wParam) {
    case VK_TAB: {
        moveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    case VK_ESCAPE: {
        // Esc closes from any control, as the close box does; with a
        // modifier held it does nothing.
        if (!isModifierHeld()) {
            SendMessageW(window_, WM_CLOSE, 0, 0);
        }
        return true;
    }
    case VK_RETURN: {
        // No default button: Enter neither presses a button nor moves the
        // focus, and the edit boxes do not beep at it.
        return true;
    }
    case VK_F1: {
        return true; // no help
    }
    default: {
        return false;
    }
    }
}

LRESULT CALLBACK WindowsMainWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    WindowsMainWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<WindowsMainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowsMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(window, message, wParam, lParam);
}

LRESULT WindowsMainWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        onCommand(wParam, lParam);
        return 0;
    }
    case WM_ACTIVATE: {
        onActivate(wParam);
        return 0;
    }
    case WM_SETFOCUS: {
        onSetFocus();
        return 0;
    }
    case WM_DISPLAYCHANGE: {
        onDisplayChange();
        return 0;
    }
    case WM_SETFONT: {
        font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    case WM_GETFONT: {
        return reinterpret_cast<LRESULT>(font_);
    }
    case WM_HELP: {
        return TRUE; // F1 gives no help
    }
    case DestroyRequestMessage: {
        DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY: {
        onDestroy();
        return 0;
    }
    case WM_NCDESTROY: {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        focus_ = nullptr;
        break;
    }
    default: {
        break;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WindowsMainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    // Only a button's own click counts; the dialog manager's IDOK and
    // IDCANCEL commands come without a control and are not clicks.
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
        return;
    }
    raise(LOWORD(wParam), WindowEvent::Clicked);
}

// The focus goes back to the control that had it when the window was last
// deactivated; the first time, to the width box.
void WindowsMainWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) {
            focus_ = focus;
        }
        return;
    }
    if (focus_) {
        SetFocus(focus_);
    }
}

void WindowsMainWindow::onSetFocus() {
    if (focus_) {
        SetFocus(focus_);
    }
}

void WindowsMainWindow::onDisplayChange() {
    raise(MainWindowSource, WindowEvent::DisplayChanged);
}

void WindowsMainWindow::onDestroy() {
    PostQuitMessage(0);
}

void WindowsMainWindow::raise(int source, WindowEvent event) {
    if (events_) {
        events_->raise(source, event);
    }
}
