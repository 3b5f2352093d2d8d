// The theme facility against real windows: which controls it restyles, what
// their pixels look like before, during and after, message boxes included,
// and that painting and switching leak no GDI objects.
#define PSAPI_VERSION 2 // GetProcessMemoryInfo from kernel32
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/theme.h"
#include "thread_dialog.h"

namespace {

using Pixels = std::vector<uint32_t>;

void pumpMessages() {
    for (int round = 0; round < 3; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

void paintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpMessages();
    GdiFlush();
}

// What the screen shows in `area` (screen coordinates).
Pixels captureScreen(RECT area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    Pixels pixels(static_cast<size_t>(width) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

Pixels captureWindow(HWND window) {
    RECT area;
    GetWindowRect(window, &area);
    return captureScreen(area);
}

// Writes `pixels` (width x height) as a 24-bit BMP, for looking at the look.
void saveBitmap(const std::string& path, const Pixels& pixels, int width, int height) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
            uint8_t* out = &rows[static_cast<size_t>(y) * stride + x * 3];
            out[0] = pixel & 0xFF;
            out[1] = (pixel >> 8) & 0xFF;
            out[2] = (pixel >> 16) & 0xFF;
        }
    }
    FILE* stream = std::fopen(path.c_str(), "wb");
    ASSERT_NE(stream, nullptr) << path;
    std::fwrite(&file, sizeof file, 1, stream);
    std::fwrite(&header, sizeof header, 1, stream);
    std::fwrite(rows.data(), 1, rows.size(), stream);
    std::fclose(stream);
}

struct ControlSpec {
    const char* name;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    const wchar_t* text;
    RECT rect;
    bool restyled;
};

// One control of each kind the theme knows, and a label it must leave alone.
const ControlSpec kControls[] = {
    {"push button", L"Button", BS_PUSHBUTTON, 0, L"&Apply", {16, 16, 112, 44}, true},
    {"default push button", L"Button", BS_DEFPUSHBUTTON, 0, L"OK", {124, 16, 220, 44}, true},
    {"check box", L"Button", BS_AUTOCHECKBOX, 0, L"Remember", {244, 20, 360, 40}, true},
    {"radio button", L"Button", BS_AUTORADIOBUTTON, 0, L"Windowed", {244, 48, 360, 68}, true},
    {"group box", L"Button", BS_GROUPBOX, 0, L"Resolution", {16, 80, 232, 200}, true},
    {"edit box", L"Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L"1024", {32, 108, 120, 132}, true},
    {"drop-down combo box", L"ComboBox", CBS_DROPDOWNLIST, 0, L"", {32, 148, 216, 300}, true},
    {"simple combo box", L"ComboBox", CBS_SIMPLE, 0, L"", {244, 80, 360, 150}, false},
    {"up-down", UPDOWN_CLASSW, 0, 0, L"", {128, 108, 146, 132}, true},
    {"label", L"Static", SS_LEFT, 0, L"Width", {244, 170, 360, 190}, false},
};
constexpr int kControlCount = sizeof kControls / sizeof kControls[0];

class ThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"PixmoraThemeTest";
        RegisterClassW(&windowClass);
        // Kept away from the screen's centre, where the pointer rests, so no
        // control is drawn hovered.
        window_ = CreateWindowExW(0, L"PixmoraThemeTest", L"Theme test",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40, 40, 400, 260,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                            CLEARTYPE_QUALITY, 0, L"Tahoma");
        for (int i = 0; i < kControlCount; ++i) {
            const ControlSpec& control = kControls[i];
            controls_[i] = CreateWindowExW(
                control.exStyle, control.className, control.text,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | control.style, control.rect.left,
                control.rect.top, control.rect.right - control.rect.left,
                control.rect.bottom - control.rect.top, window_,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), nullptr, nullptr);
            ASSERT_NE(controls_[i], nullptr) << control.name;
            SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        }
        for (HWND combo : {control("drop-down combo box"), control("simple combo box")}) {
            for (const wchar_t* item : {L"1920 x 1080", L"1366 x 768", L"1024 x 768"}) {
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            SendMessageW(combo, CB_SETCURSEL, 0, 0);
        }
        SendMessageW(control("check box"), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(control("radio button"), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(control("up-down"), UDM_SETRANGE32, 0, 100);
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetFocus(control("push button"));
        paintNow(window_);
    }

    void TearDown() override {
        setThemeStyle(0);
        if (window_) {
            DestroyWindow(window_);
        }
        if (font_) {
            DeleteObject(font_);
        }
        pumpMessages();
    }

    static int indexOf(const char* name) {
        for (int i = 0; i < kControlCount; ++i) {
            if (std::string(kControls[i].name) == name) {
                return i;
            }
        }
        ADD_FAILURE() << "no control " << name;
        return 0;
    }
    HWND control(const char* name) const { return controls_[indexOf(name)]; }

    void setStyle(int style) {
        setThemeStyle(style);
        paintNow(window_);
    }

    std::vector<Pixels> captureControls() const {
        std::vector<Pixels> shots;
        for (HWND each : controls_) {
            shots.push_back(captureWindow(each));
        }
        return shots;
    }

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HWND controls_[kControlCount] = {};
};

HWND dropDownList(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info.hwndList;
}

TEST_F(ThemeTest, RestylesExactlyTheListedKindsAndGivesTheirDrawingBack) {
    std::vector<Pixels> unthemed = captureControls();

    setStyle(1);
    EXPECT_EQ(themeStyle(), 1);
    std::vector<Pixels> themed = captureControls();
    for (int i = 0; i < kControlCount; ++i) {
        SCOPED_TRACE(kControls[i].name);
        EXPECT_EQ(isControlThemed(controls_[i]), kControls[i].restyled);
        EXPECT_EQ(themed[i] != unthemed[i], kControls[i].restyled);
    }
    EXPECT_TRUE(isControlThemed(dropDownList(control("drop-down combo box"))));
    EXPECT_FALSE(isControlThemed(dropDownList(control("simple combo box"))));
    EXPECT_FALSE(isControlThemed(window_));

    setStyle(0);
    EXPECT_EQ(themeStyle(), 0);
    std::vector<Pixels> restored = captureControls();
    for (int i = 0; i < kControlCount; ++i) {
        SCOPED_TRACE(kControls[i].name);
        EXPECT_FALSE(isControlThemed(controls_[i]));
        EXPECT_EQ(restored[i], unthemed[i]);
    }
    EXPECT_FALSE(isControlThemed(dropDownList(control("drop-down combo box"))));
}

TEST_F(ThemeTest, OutOfRangeStylesOnlySwitchOff) {
    for (int style : {-1, 4, 100}) {
        setStyle(1);
        setStyle(style);
        EXPECT_EQ(themeStyle(), style);
        EXPECT_FALSE(isControlThemed(control("push button"))) << style;
    }
}

TEST_F(ThemeTest, StylesArePaletteVariantsThatDrawDifferently) {
    std::vector<Pixels> shots[4];
    for (int style = 1; style <= 3; ++style) {
        setStyle(style);
        shots[style] = captureControls();
    }
    for (const char* name : {"push button", "default push button", "check box"}) {
        int index = indexOf(name);
        EXPECT_NE(shots[1][index], shots[2][index]) << name;
        EXPECT_NE(shots[1][index], shots[3][index]) << name;
        EXPECT_NE(shots[2][index], shots[3][index]) << name;
    }
}

TEST_F(ThemeTest, SwitchingAgainOrBetweenStylesNeverRestylesTwice) {
    // The listed controls and the drop-down combo box's list.
    int expected = 1;
    for (const ControlSpec& control : kControls) {
        expected += control.restyled;
    }
    for (int style : {1, 1, 2, 2, 3, 1}) {
        setStyle(style);
        EXPECT_EQ(themedControlCount(), expected) << "after style " << style;
    }
    // One restyling, so switching off once gives every control its own drawing.
    setStyle(0);
    EXPECT_EQ(themedControlCount(), 0);
    for (int i = 0; i < kControlCount; ++i) {
        EXPECT_FALSE(isControlThemed(controls_[i])) << kControls[i].name;
    }
}

TEST_F(ThemeTest, ControlsCreatedWhileOnAreRestyledAtCreation) {
    setStyle(1);
    HWND later = CreateWindowExW(0, L"Button", L"Later", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 16,
                                 210, 90, 26, window_, nullptr, nullptr, nullptr);
    HWND label = CreateWindowExW(0, L"Static", L"Later", WS_CHILD | WS_VISIBLE, 120, 210, 90, 20,
                                 window_, nullptr, nullptr, nullptr);
    EXPECT_TRUE(isControlThemed(later));
    EXPECT_FALSE(isControlThemed(label));
    int withLater = themedControlCount();
    // Destroyed while themed: its state goes with it.
    DestroyWindow(later);
    DestroyWindow(label);
    EXPECT_EQ(themedControlCount(), withLater - 1);
    setStyle(0);
    HWND unthemed = CreateWindowExW(0, L"Button", L"After", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10,
                                    window_, nullptr, nullptr, nullptr);
    EXPECT_FALSE(isControlThemed(unthemed));
}

// A push button's states must each look different, or the user loses track.
TEST_F(ThemeTest, PushButtonStatesAreVisible) {
    setStyle(1);
    HWND button = control("push button");
    SetFocus(control("check box"));
    paintNow(window_);
    Pixels normal = captureWindow(button);

    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    paintNow(window_);
    Pixels hot = captureWindow(button);
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    paintNow(window_);
    EXPECT_EQ(captureWindow(button), normal) << "hover must end with the mouse leaving";

    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    paintNow(window_);
    Pixels pressed = captureWindow(button);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);

    SetFocus(button);
    paintNow(window_);
    Pixels focused = captureWindow(button);

    SetFocus(control("check box"));
    EnableWindow(button, FALSE);
    paintNow(window_);
    Pixels disabled = captureWindow(button);
    EnableWindow(button, TRUE);

    const Pixels* states[] = {&normal, &hot, &pressed, &focused, &disabled};
    const char* names[] = {"normal", "hot", "pressed", "focused", "disabled"};
    for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
            EXPECT_NE(*states[a], *states[b]) << names[a] << " vs " << names[b];
        }
    }
}

// --- Message boxes ---

struct MessageBoxCheck {
    bool found = false;
    bool okThemed = false;
    Pixels ok;
    Pixels box;
    RECT boxArea{};
};
MessageBoxCheck gBoxCheck;

void CALLBACK inspectMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = findThreadDialog();
    if (!box) {
        return;
    }
    HWND ok = GetDlgItem(box, IDOK);
    gBoxCheck.found = ok != nullptr;
    gBoxCheck.okThemed = isControlThemed(ok);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    Sleep(50);
    gBoxCheck.ok = captureWindow(ok);
    GetWindowRect(box, &gBoxCheck.boxArea);
    gBoxCheck.box = captureScreen(gBoxCheck.boxArea);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

MessageBoxCheck openMessageBox(HWND owner) {
    gBoxCheck = MessageBoxCheck{};
    SetTimer(nullptr, 0, 300, inspectMessageBox);
    MessageBoxW(owner, L"The resolution was set.", L"Pixmora", MB_OK | MB_ICONINFORMATION);
    return gBoxCheck;
}

TEST_F(ThemeTest, MessageBoxOpenedAfterwardsHasItsOkButtonRestyled) {
    MessageBoxCheck plain = openMessageBox(window_);
    ASSERT_TRUE(plain.found);
    EXPECT_FALSE(plain.okThemed);

    setStyle(1);
    MessageBoxCheck themed = openMessageBox(window_);
    ASSERT_TRUE(themed.found);
    EXPECT_TRUE(themed.okThemed);
    EXPECT_NE(themed.ok, plain.ok);

    setStyle(0);
    MessageBoxCheck again = openMessageBox(window_);
    EXPECT_FALSE(again.okThemed) << "the creation watch must go with the theme";
}

// --- Resources ---

DWORD gdiObjectCount() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage;
}

TEST_F(ThemeTest, RepaintingAndSwitchingLeaveGdiObjectsFlat) {
    auto workout = [this] {
        setThemeStyle(1);
        for (int i = 0; i < 1000; ++i) {
            RedrawWindow(window_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        for (int i = 0; i < 100; ++i) {
            setThemeStyle(0);
            setThemeStyle(1 + i % 3);
            RedrawWindow(window_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        setThemeStyle(0);
        pumpMessages();
    };
    workout(); // warms up every lazily made system object
    DWORD objectsBefore = gdiObjectCount();
    SIZE_T bytesBefore = privateBytes();
    workout();
    DWORD objectsAfter = gdiObjectCount();
    SIZE_T bytesAfter = privateBytes();
    if (objectsBefore > 0) {
        EXPECT_LE(objectsAfter, objectsBefore + 2);
    } else {
        // Wine counts no GDI objects; a leaked bitmap per paint would still
        // show as megabytes here.
        EXPECT_LT(bytesAfter, bytesBefore + 2 * 1024 * 1024)
            << "before " << bytesBefore << " after " << bytesAfter;
    }
}

// Not a check: writes the test window in each style as BMP files into the
// folder named by PIXMORA_THEME_SHOTS, for a person to look at.
TEST_F(ThemeTest, DISABLED_Showcase) {
    const char* folder = std::getenv("PIXMORA_THEME_SHOTS");
    ASSERT_NE(folder, nullptr);
    SetWindowTextW(control("edit box"), L"1024");
    EnableWindow(control("radio button"), TRUE);
    for (int style = 0; style <= 3; ++style) {
        setStyle(style);
        SetFocus(control("edit box"));
        paintNow(window_);
        RECT area;
        GetWindowRect(window_, &area);
        Pixels shot = captureScreen(area);
        saveBitmap(std::string(folder) + "/style" + std::to_string(style) + ".bmp", shot,
                   area.right - area.left, area.bottom - area.top);
        MessageBoxCheck notice = openMessageBox(window_);
        const RECT& box = notice.boxArea;
        saveBitmap(std::string(folder) + "/notice" + std::to_string(style) + ".bmp", notice.box,
                   box.right - box.left, box.bottom - box.top);
    }
}

} // namespace
