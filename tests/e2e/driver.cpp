#include "driver.h"

#include <algorithm>

namespace e2e {

namespace {

const UINT SendTimeoutMs = 5000;

std::wstring environmentVariable(const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    if (length == 0 || length >= 1024) {
        return std::wstring();
    }
    return std::wstring(buffer, length);
}

// The first top-level window of a process that a test accepts.
struct WindowSearch {
    DWORD processId;
    bool (*accepts)(HWND window);
    HWND found;
};

BOOL CALLBACK searchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && search->accepts(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findProcessWindow(DWORD processId, bool (*accepts)(HWND window)) {
    WindowSearch search = {processId, accepts, nullptr};
    EnumWindows(searchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool isShownMessageBox(HWND window) {
    return IsWindowVisible(window) && className(window) == L"#32770";
}

bool isMainWindow(HWND window) {
    return windowText(window) == L"Pixmora" && className(window) != L"#32770";
}

} // namespace

std::wstring pixmoraPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length);
    size_t slash = self.find_last_of(L"\\/");
    return self.substr(0, slash + 1) + L"Pixmora.exe";
}

std::wstring fromGbk(const char* text) {
    int length = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(936, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

PixmoraProcess::~PixmoraProcess() {
    kill();
}

bool PixmoraProcess::start(DWORD timeoutMs) {
    std::wstring path = pixmoraPath();
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
        info_ = {};
        return false;
    }
    bool shown = waitUntil(
        [this] {
            window_ = findProcessWindow(info_.dwProcessId, isMainWindow);
            return window_ && IsWindowVisible(window_);
        },
        timeoutMs);
    if (!shown) {
        return false;
    }
    WaitForInputIdle(info_.hProcess, timeoutMs);
    return true;
}

bool PixmoraProcess::isRunning() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool PixmoraProcess::waitForExit(DWORD* exitCode, DWORD timeoutMs) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void PixmoraProcess::kill() {
    if (info_.hProcess) {
        if (isRunning()) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    info_ = {};
    window_ = nullptr;
}

HWND PixmoraProcess::control(ControlId id) const {
    return GetDlgItem(window_, controlNumber(id));
}

DWORD PixmoraProcess::guiThreadId() const {
    return GetWindowThreadProcessId(window_, nullptr);
}

HWND PixmoraProcess::focusedWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(guiThreadId(), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

HWND PixmoraProcess::findMessageBox() const {
    return findProcessWindow(info_.dwProcessId, isShownMessageBox);
}

HWND PixmoraProcess::waitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = findMessageBox();
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs,
                             &length)) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(length + 2, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, SendTimeoutMs, &copied);
    return std::wstring(buffer.data(), std::min<size_t>(copied, length));
}

std::wstring className(HWND window) {
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

RECT rectInParent(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT outerRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void setEditText(HWND edit, const std::wstring& text) {
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, SendTimeoutMs, nullptr);
}

void typeChars(HWND control, const std::wstring& text) {
    for (wchar_t character : text) {
        PostMessageW(control, WM_CHAR, character, 1);
    }
}

void pressKey(HWND target, UINT virtualKey) {
    LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, scanCode | 1);
    PostMessageW(target, WM_KEYUP, virtualKey, scanCode | 1 | (1u << 30) | (1u << 31));
}

bool sendKeyChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

bool bringToFront(HWND window) {
    SetForegroundWindow(window);
    return waitUntil([window] { return GetForegroundWindow() == window; }, 3000);
}

MessageBoxContents readMessageBox(HWND box) {
    return {windowText(box), windowText(GetDlgItem(box, 0xFFFF))};
}

void pressOk(HWND box) {
    click(GetDlgItem(box, IDOK));
}

bool inThrowawayPrefix() {
    std::wstring prefix = environmentVariable(L"PIXMORA_TEST_PREFIX");
    return !prefix.empty() && prefix == environmentVariable(L"WINEPREFIX");
}

const wchar_t* const GameKeyPath = L"Software\\Blizzard Entertainment\\Warcraft III";
const wchar_t* const VideoKeyPath = L"Software\\Blizzard Entertainment\\Warcraft III\\Video";

bool gameKeyExists() {
    return keyExists(GameKeyPath);
}

bool deleteGameKey() {
    if (!inThrowawayPrefix()) {
        return false;
    }
    LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, GameKeyPath);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, GameKeyPath);
    return !gameKeyExists();
}

bool seedGameValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    if (!inThrowawayPrefix()) {
        return false;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, VideoKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool seedGameDword(const wchar_t* name, DWORD value) {
    return seedGameValue(name, REG_DWORD, &value, sizeof(value));
}

std::optional<DWORD> readGameValue(const wchar_t* name) {
    if (!inThrowawayPrefix()) {
        return std::nullopt;
    }
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, VideoKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    LSTATUS status =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace e2e

// ---- Notices after a click, value types and the program's footprint ----
#include <psapi.h>

namespace e2e {

bool clickForNotice(const PixmoraProcess& app, HWND button, MessageBoxContents* notice,
                    DWORD timeoutMs) {
    click(button);
    HWND box = app.waitForMessageBox(timeoutMs);
    if (!box) {
        return false;
    }
    *notice = readMessageBox(box);
    pressOk(box);
    return waitUntil([box] { return !IsWindow(box); }, timeoutMs);
}

std::optional<DWORD> gameValueType(const wchar_t* name) {
    std::optional<RawValue> value = readRawValue(VideoKeyPath, name);
    if (!value) {
        return std::nullopt;
    }
    return value->type;
}

std::optional<RawValue> readRawValue(const wchar_t* keyPath, const wchar_t* name) {
    if (!inThrowawayPrefix()) {
        return std::nullopt;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

bool seedRawValue(const wchar_t* keyPath, const wchar_t* name, const RawValue& value) {
    if (!inThrowawayPrefix()) {
        return false;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status = RegSetValueExW(key, name, 0, value.type, value.data.data(),
                                    static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

RawValue stringValue(const std::wstring& text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

RawValue dwordValue(DWORD number) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(number))};
}

bool keyExists(const wchar_t* keyPath) {
    if (!inThrowawayPrefix()) {
        return false;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool readFootprint(DWORD processId, ProcessFootprint* footprint) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        return false;
    }
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    bool read =
        K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)) != 0;
    if (read) {
        footprint->workingSet = counters.WorkingSetSize;
        footprint->privateBytes = counters.PrivateUsage;
        footprint->committed = counters.PagefileUsage;
        footprint->gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
        footprint->userObjects = GetGuiResources(process, GR_USEROBJECTS);
    }
    CloseHandle(process);
    return read;
}

} // namespace e2e
