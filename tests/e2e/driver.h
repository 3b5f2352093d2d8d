// Works the real Pixmora.exe from outside, as a player would: starts it,
// finds its window and controls, reads texts, presses keys and buttons,
// reads notices, and seeds or reads the game's registry key.
//
//   PixmoraProcess app;                 // ends the program when it goes
//   ASSERT_TRUE(app.start());           // waits until the window is shown
//   click(app.control(ControlId::按钮6));
//   HWND box = app.waitForMessageBox();
//   MessageBoxContents notice = readMessageBox(box);   // title, text
//   pressOk(box);
//   readGameValue(L"reswidth");         // std::optional<DWORD>
//
// The registry helpers touch HKCU only inside the throwaway Wine prefix the
// test scripts make: they refuse unless PIXMORA_TEST_PREFIX equals
// WINEPREFIX.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"

namespace e2e {

// Pixmora.exe in the folder of the running test exe.
std::wstring pixmoraPath();

// A GBK text of the program, as the window shows it.
std::wstring fromGbk(const char* text);

// Polls `done` until it holds or `timeoutMs` has passed.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

class PixmoraProcess {
  public:
    PixmoraProcess() = default;
    PixmoraProcess(const PixmoraProcess&) = delete;
    PixmoraProcess& operator=(const PixmoraProcess&) = delete;
    // Ends the program if it is still running.
    ~PixmoraProcess();

    // Starts the program and waits until its main window is visible and idle.
    bool start(DWORD timeoutMs = 20000);
    bool isRunning() const;
    // Waits for the process to end and gives its exit code.
    bool waitForExit(DWORD* exitCode, DWORD timeoutMs = 10000);
    void kill();

    HWND window() const { return window_; }
    HWND control(ControlId id) const;
    DWORD processId() const { return info_.dwProcessId; }
    DWORD guiThreadId() const;
    // The control that has the keyboard focus in the program, or null.
    HWND focusedWindow() const;
    // The first visible message box (#32770) of the program, or null.
    HWND findMessageBox() const;
    HWND waitForMessageBox(DWORD timeoutMs = 5000) const;

  private:
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
};

std::wstring windowText(HWND window);
std::wstring className(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child);
RECT outerRect(HWND window);

// Presses a button as a click does (BM_CLICK, posted).
void click(HWND button);
// Replaces an edit box's text (WM_SETTEXT).
void setEditText(HWND edit, const std::wstring& text);
// Types characters into a control through its message queue (WM_CHAR).
void typeChars(HWND control, const std::wstring& text);
// A key press and release posted to `target`, so it passes the program's own
// message loop. Modifier keys are not held.
void pressKey(HWND target, UINT virtualKey);

// Real keyboard input (SendInput) to the foreground window: the keys go down
// in order and come up in reverse, so {VK_SHIFT, VK_TAB} is Shift+Tab.
bool sendKeyChord(std::initializer_list<WORD> keys);
// Makes `window` the foreground window, so real input reaches it.
bool bringToFront(HWND window);

struct MessageBoxContents {
    std::wstring title;
    std::wstring text;
};
MessageBoxContents readMessageBox(HWND box);
// Presses the box's OK button (id 1).
void pressOk(HWND box);

// Whether the environment names a throwaway prefix (PIXMORA_TEST_PREFIX ==
// WINEPREFIX); every registry helper below refuses without it.
bool inThrowawayPrefix();
extern const wchar_t* const GameKeyPath;  // Software\Blizzard Entertainment\Warcraft III
extern const wchar_t* const VideoKeyPath; // GameKeyPath + \Video
bool gameKeyExists();
// Removes the game's key with everything under it; true also when absent.
bool deleteGameKey();
// Sets a value under the Video key, creating the key path as needed.
bool seedGameValue(const wchar_t* name, DWORD type, const void* data, DWORD size);
bool seedGameDword(const wchar_t* name, DWORD value);
// A REG_DWORD under the Video key; nothing if absent or of another type.
std::optional<DWORD> readGameValue(const wchar_t* name);

} // namespace e2e

// ---- Notices after a click, value types and the program's footprint ----
namespace e2e {

// Clicks `button`, waits for the notice it opens, reads it, presses OK and
// waits until the box has gone, so the next click cannot meet it. False when
// no notice appeared or it did not close.
bool clickForNotice(const PixmoraProcess& app, HWND button, MessageBoxContents* notice,
                    DWORD timeoutMs = 5000);
// The registry type of a value under the Video key; nothing if it is absent.
std::optional<DWORD> gameValueType(const wchar_t* name);

// A registry value byte for byte, for values of any type under any key of
// HKCU (only in the throwaway prefix, as above).
struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;

    bool operator==(const RawValue& other) const {
        return type == other.type && data == other.data;
    }
};
std::optional<RawValue> readRawValue(const wchar_t* keyPath, const wchar_t* name);
// Sets the value, creating the key path as needed.
bool seedRawValue(const wchar_t* keyPath, const wchar_t* name, const RawValue& value);
RawValue stringValue(const std::wstring& text);
RawValue dwordValue(DWORD number);
bool keyExists(const wchar_t* keyPath);

struct ProcessFootprint {
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0; // Wine leaves it 0 for another process
    SIZE_T committed = 0;    // pagefile-backed memory, which Wine does count
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};
// Memory and GUI object counts of a running process; false if it cannot be
// queried.
bool readFootprint(DWORD processId, ProcessFootprint* footprint);

} // namespace e2e
