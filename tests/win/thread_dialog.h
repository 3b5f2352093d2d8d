// Finds a message box the test's own thread has open, from a timer that
// fires while MessageBoxW runs its modal loop.
#pragma once

#include <windows.h>

#include <string>

inline BOOL CALLBACK keepFirstDialog(HWND window, LPARAM found) {
    wchar_t name[16];
    if (GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The first dialog (#32770) of the calling thread, or null.
inline HWND findThreadDialog() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), keepFirstDialog, reinterpret_cast<LPARAM>(&box));
    return box;
}
