// The floor Pixmora's start-up and footprint are measured against: a program
// from the same build that does the least a window program can do. It opens
// an empty window of Pixmora's size and frame, centred as Pixmora is, runs a
// message loop and ends when the window is closed.
#include <windows.h>

namespace {

constexpr int windowWidth = 623;
constexpr int windowHeight = 390;
constexpr wchar_t className[] = L"PixmoraBare";

LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerBareClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = bareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass) != 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (!registerBareClass(instance)) {
        return 1;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    HWND window = CreateWindowExW(
        0, className, L"PixmoraBare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        left, top, windowWidth, windowHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
#ifdef PIXMORA_BARE_ONE_LABEL
    // One standard control is what makes a program with the common-controls
    // manifest load version 6 of them; the manifest alone does not.
    CreateWindowExW(0, L"STATIC", L"PixmoraBare", WS_CHILD | WS_VISIBLE, 33, 26, 87, 32, window,
                    nullptr, instance, nullptr);
#endif
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
