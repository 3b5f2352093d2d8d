// The real Pixmora.exe on a 1920x1080 screen: its window, controls, keys,
// ways out and About notice, seen from outside.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "driver.h"

using namespace e2e;

namespace {

class MainWindowE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(inThrowawayPrefix()) << "run through scripts/test.sh or scripts/wine-env.sh";
        ASSERT_TRUE(deleteGameKey());
        ASSERT_TRUE(app.start()) << "Pixmora's window did not appear";
    }

    void expectEndsCleanly() {
        DWORD exitCode = 1234;
        ASSERT_TRUE(app.waitForExit(&exitCode)) << "the program is still running";
        EXPECT_EQ(exitCode, 0u);
        EXPECT_FALSE(gameKeyExists()) << "leaving the program touched the game's key";
    }

    PixmoraProcess app;
};

const wchar_t* expectedClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: {
        return L"static";
    }
    case ControlKind::PushButton: {
        return L"button";
    }
    case ControlKind::EditBox: {
        return L"edit";
    }
    }
    return L"";
}

bool isDefaultButton(HWND button) {
    return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

TEST_F(MainWindowE2E, EveryControlHasItsClassRectangleAndText) {
    for (const ControlDefinition& definition : mainWindowControls) {
        SCOPED_TRACE(controlNumber(definition.id));
        HWND control = app.control(definition.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_wcsicmp(className(control).c_str(), expectedClass(definition.kind)), 0)
            << className(control).c_str();
        RECT rect = rectInParent(control);
        EXPECT_EQ(rect.left, definition.left);
        EXPECT_EQ(rect.top, definition.top);
        EXPECT_EQ(rect.right - rect.left, definition.width);
        EXPECT_EQ(rect.bottom - rect.top, definition.height);
        std::wstring text = windowText(control);
        if (definition.id == ControlId::标签2 || definition.id == ControlId::标签4) {
            // The created handler has replaced the placeholders before the
            // window was shown.
            EXPECT_NE(text, fromGbk(definition.text));
            EXPECT_FALSE(text.empty());
        } else {
            EXPECT_EQ(text, fromGbk(definition.text));
        }
    }
}

TEST_F(MainWindowE2E, LabelTextsAreTheChineseTextsUnchanged) {
    // Spelled out in UTF-16 here, so a wrong code page anywhere shows.
    EXPECT_EQ(windowText(app.control(ControlId::标签9)),
              L"1920*1080 16:9 \xFF08\x4E3B\x6D41\xFF09");
    EXPECT_EQ(windowText(app.control(ControlId::按钮7)), L"\x9000\x51FA"); // 退出
}

TEST_F(MainWindowE2E, WindowIsCentredWithAFixedDialogFrame) {
    HWND window = app.window();
    RECT rect = outerRect(window);
    EXPECT_EQ(rect.left, 648);
    EXPECT_EQ(rect.top, 345);
    EXPECT_EQ(rect.right - rect.left, 623);
    EXPECT_EQ(rect.bottom - rect.top, 390);
    EXPECT_EQ(windowText(window), L"Pixmora");

    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr); // so it has its taskbar button
}

TEST_F(MainWindowE2E, TabOrderRunsThroughEditBoxesAndButtonsAndWraps) {
    HWND window = app.window();
    for (size_t i = 0; i < TabOrderLength; ++i) {
        HWND current = app.control(tabOrder[i]);
        HWND next = app.control(tabOrder[(i + 1) % TabOrderLength]);
        EXPECT_EQ(GetNextDlgTabItem(window, current, FALSE), next) << "forward from " << i;
        EXPECT_EQ(GetNextDlgTabItem(window, next, TRUE), current) << "back to " << i;
    }
}

TEST_F(MainWindowE2E, FocusStartsInTheWidthBoxAndTabKeysWalkTheOrder) {
    ASSERT_TRUE(waitUntil([&] { return app.focusedWindow() == app.control(FirstFocus); }))
        << "the width box does not have the focus at start";
    for (size_t i = 1; i <= TabOrderLength; ++i) {
        HWND expected = app.control(tabOrder[i % TabOrderLength]);
        pressKey(app.focusedWindow(), VK_TAB);
        EXPECT_TRUE(waitUntil([&] { return app.focusedWindow() == expected; }, 2000))
            << "Tab number " << i;
        for (ControlId id : tabOrder) {
            EXPECT_FALSE(isDefaultButton(app.control(id))) << controlNumber(id);
        }
    }
}

TEST_F(MainWindowE2E, ShiftTabFromTheFirstBoxWrapsToTheLastButton) {
    HWND width = app.control(ControlId::编辑框_宽);
    ASSERT_TRUE(waitUntil([&] { return app.focusedWindow() == width; }));
    ASSERT_TRUE(bringToFront(app.window()));
    ASSERT_TRUE(sendKeyChord({VK_SHIFT, VK_TAB}));
    EXPECT_TRUE(waitUntil([&] { return app.focusedWindow() == app.control(ControlId::按钮8); }));
}

TEST_F(MainWindowE2E, AltF4EndsTheProgram) {
    ASSERT_TRUE(bringToFront(app.window()));
    ASSERT_TRUE(sendKeyChord({VK_MENU, VK_F4}));
    expectEndsCleanly();
}

TEST_F(MainWindowE2E, EscWithShiftHeldDoesNotClose) {
    ASSERT_TRUE(bringToFront(app.window()));
    ASSERT_TRUE(sendKeyChord({VK_SHIFT, VK_ESCAPE}));
    DWORD exitCode = 0;
    EXPECT_FALSE(app.waitForExit(&exitCode, 1000));
}

TEST_F(MainWindowE2E, EnterPressesNothingAndKeepsTheFocus) {
    HWND width = app.control(ControlId::编辑框_宽);
    ASSERT_TRUE(waitUntil([&] { return app.focusedWindow() == width; }));
    pressKey(width, VK_RETURN);
    // Walk to the About button: Enter there must not open the notice either.
    for (size_t i = 0; i + 1 < TabOrderLength; ++i) {
        pressKey(app.focusedWindow(), VK_TAB);
        waitUntil([&] { return app.focusedWindow() == app.control(tabOrder[i + 1]); }, 2000);
    }
    HWND about = app.control(ControlId::按钮8);
    ASSERT_EQ(app.focusedWindow(), about);
    pressKey(about, VK_RETURN);
    pressKey(about, VK_F1);
    EXPECT_EQ(app.waitForMessageBox(1500), nullptr) << "Enter or F1 opened a notice";
    EXPECT_EQ(app.focusedWindow(), about);
    EXPECT_FALSE(isDefaultButton(about));
    EXPECT_TRUE(windowText(width).empty());
    EXPECT_TRUE(app.isRunning());
    EXPECT_FALSE(gameKeyExists());
}

TEST_F(MainWindowE2E, EscFromAnEditBoxEndsTheProgram) {
    HWND width = app.control(ControlId::编辑框_宽);
    ASSERT_TRUE(waitUntil([&] { return app.focusedWindow() == width; }));
    pressKey(width, VK_ESCAPE);
    expectEndsCleanly();
}

TEST_F(MainWindowE2E, EscFromAButtonEndsTheProgram) {
    pressKey(app.control(ControlId::按钮3), VK_ESCAPE);
    expectEndsCleanly();
}

TEST_F(MainWindowE2E, CloseBoxEndsTheProgram) {
    PostMessageW(app.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    expectEndsCleanly();
}

TEST_F(MainWindowE2E, ExitButtonEndsTheProgram) {
    click(app.control(ControlId::按钮7));
    expectEndsCleanly();
}

TEST_F(MainWindowE2E, AboutShowsItsNoticeModally) {
    click(app.control(ControlId::按钮8));
    HWND box = app.waitForMessageBox();
    ASSERT_NE(box, nullptr) << "no notice appeared";
    MessageBoxContents notice = readMessageBox(box);
    EXPECT_EQ(notice.title, L"\x5173\x4E8E\x7A0B\x5E8F"); // 关于程序
    std::wstring firstLine = fromGbk("Pixmora，适用于宽屏电脑设置分辨率！") + L"\r\n";
    ASSERT_EQ(notice.text.compare(0, firstLine.size(), firstLine), 0);
    std::wstring secondLine = notice.text.substr(firstLine.size());
    EXPECT_NE(secondLine.find(L"v1.00"), std::wstring::npos);
    EXPECT_NE(secondLine.find(L"2019.04"), std::wstring::npos);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);

    // While the notice is open the main window takes no input.
    EXPECT_FALSE(IsWindowEnabled(app.window()));

    pressOk(box);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); })) << "OK did not close the notice";
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(app.window()) != FALSE; }));
    EXPECT_TRUE(app.isRunning());
    EXPECT_FALSE(gameKeyExists());
}

} // namespace
