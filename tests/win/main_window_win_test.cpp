// MainWindow's Windows side in this process: what the outside cannot see
// under Wine (fonts and icons do not cross processes there), which events
// the controls raise, and that a destroy request waits for the handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "platform/win/main_window_win.h"

namespace {

// Pixmora.exe's resources, so the window gets the program's real icon.
HINSTANCE pixmoraResources() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    static HMODULE module =
        LoadLibraryExW((folder + L"Pixmora.exe").c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class RecordingSink : public WindowEventSink {
  public:
    std::vector<std::pair<int, WindowEvent>> events;
    void raise(int source, WindowEvent event) override { events.emplace_back(source, event); }
};

class MainWindowWin : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(pixmoraResources(), nullptr) << "Pixmora.exe is not next to the test exe";
        window.setEventSink(sink);
        ASSERT_TRUE(window.create());
    }
    void TearDown() override {
        if (window.handle()) {
            DestroyWindow(window.handle());
        }
        // Drop the quit message the window's destruction posted.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND control(ControlId id) const { return GetDlgItem(window.handle(), controlNumber(id)); }

    RecordingSink sink;
    WindowsMainWindow window{pixmoraResources(), SW_SHOWNORMAL};
};

TEST_F(MainWindowWin, WindowAndEveryControlUseTheDefaultGuiFont) {
    LRESULT font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(SendMessageW(window.handle(), WM_GETFONT, 0, 0), font);
    for (const ControlDefinition& definition : mainWindowControls) {
        EXPECT_EQ(SendMessageW(control(definition.id), WM_GETFONT, 0, 0), font)
            << controlNumber(definition.id);
    }
}

TEST_F(MainWindowWin, BigAndSmallIconsAreTheProgramsOwnAtTheSystemSizes) {
    struct Case {
        WPARAM which;
        int widthMetric;
    };
    for (Case item : {Case{ICON_BIG, SM_CXICON}, Case{ICON_SMALL, SM_CXSMICON}}) {
        HICON icon =
            reinterpret_cast<HICON>(SendMessageW(window.handle(), WM_GETICON, item.which, 0));
        ASSERT_NE(icon, nullptr) << item.which;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, GetSystemMetrics(item.widthMetric)) << item.which;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(MainWindowWin, StylesLeaveLabelsInertAndNoButtonDefault) {
    for (const ControlDefinition& definition : mainWindowControls) {
        LONG style = GetWindowLongW(control(definition.id), GWL_STYLE);
        SCOPED_TRACE(controlNumber(definition.id));
        switch (definition.kind) {
        case ControlKind::Label: {
            EXPECT_FALSE(style & (WS_TABSTOP | SS_NOTIFY));
            break;
        }
        case ControlKind::PushButton: {
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
            EXPECT_TRUE(style & WS_TABSTOP);
            break;
        }
        case ControlKind::EditBox: {
            EXPECT_TRUE(style & WS_TABSTOP);
            EXPECT_FALSE(style & (ES_MULTILINE | ES_WANTRETURN));
            break;
        }
        }
    }
}

TEST_F(MainWindowWin, EachButtonRaisesOneClickAndLabelsNothing) {
    window.show();
    pumpMessages();
    for (const ControlDefinition& definition : mainWindowControls) {
        sink.events.clear();
        HWND target = control(definition.id);
        if (definition.kind == ControlKind::PushButton) {
            SendMessageW(target, BM_CLICK, 0, 0);
        } else {
            SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        pumpMessages();
        std::vector<std::pair<int, WindowEvent>> expected;
        if (definition.kind == ControlKind::PushButton) {
            expected.emplace_back(controlNumber(definition.id), WindowEvent::Clicked);
        }
        EXPECT_EQ(sink.events, expected) << controlNumber(definition.id);
    }
}

TEST_F(MainWindowWin, DisplayChangeIsRaisedAsTheWindowsEvent) {
    SendMessageW(window.handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
    std::vector<std::pair<int, WindowEvent>> expected = {
        {MainWindowSource, WindowEvent::DisplayChanged}};
    EXPECT_EQ(sink.events, expected);
}

TEST_F(MainWindowWin, DestroyRequestWaitsForTheLoopAndEndsIt) {
    HWND handle = window.handle();
    window.requestDestroy();
    EXPECT_TRUE(IsWindow(handle)) << "destroyed inside the handler that asked";
    window.runMessageLoop(); // returns once the window is gone
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window.handle(), nullptr);
}

} // namespace
