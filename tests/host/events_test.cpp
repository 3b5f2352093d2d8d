// The event table: every event reaches exactly the handler bound to it.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "actions/apply_resolution.h"
#include "actions/resolution_display.h"
#include "app/app_handlers.h"
#include "app/events.h"
#include "app/main_window.h"
#include "app/program.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_screen.h"
#include "fakes/fake_shell.h"
#include "sources/game_video_settings.h"

namespace {

class EventsTest : public ::testing::Test {
  protected:
    FakeRegistry registry;
    FakeScreen screen;
    FakeShell shell;
    Program program{registry, screen, shell, {}};

    std::optional<uint32_t> gameValue(const char* name) const {
        std::optional<FakeValue> value = registry.value(VideoKeyPath, name);
        if (!value || value->bytes.size() != 4) {
            return std::nullopt;
        }
        uint32_t number = 0;
        std::memcpy(&number, value->bytes.data(), 4);
        return number;
    }
};

int id(ControlId control) {
    return controlNumber(control);
}

TEST(EventTable, BindsEachButtonToExactlyOneHandlerAndNothingElse) {
    for (const ControlDefinition& control : mainWindowControls) {
        SCOPED_TRACE(id(control.id));
        int bindings = 0;
        for (size_t i = 0; i < eventTableSize; ++i) {
            bindings += eventTable[i].source == id(control.id) ? 1 : 0;
        }
        bool isButton = control.kind == ControlKind::PushButton;
        EXPECT_EQ(bindings, isButton ? 1 : 0);
        EXPECT_EQ(findHandler(id(control.id), WindowEvent::Clicked) != nullptr, isButton);
    }
}

TEST(EventTable, NamedHandlersSitWhereTheWindowNeedsThem) {
    struct Case {
        int source;
        WindowEvent event;
        EventHandler handler;
    };
    const Case cases[] = {
        {MainWindowSource, WindowEvent::Created, showResolutionsAtStart},
        {MainWindowSource, WindowEvent::DisplayChanged, refreshDesktopResolution},
        {id(ControlId::按钮1), WindowEvent::Clicked, applyDesktopResolution},
        {id(ControlId::按钮_设置), WindowEvent::Clicked, applyCustomResolution},
        {id(ControlId::按钮7), WindowEvent::Clicked, exitProgram},
        {id(ControlId::按钮8), WindowEvent::Clicked, showAbout},
        // The window itself is never clicked, and buttons are never created
        // on their own.
        {MainWindowSource, WindowEvent::Clicked, nullptr},
        {id(ControlId::按钮1), WindowEvent::Created, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findHandler(c.source, c.event), c.handler) << c.source;
    }
}

TEST_F(EventsTest, QuickSetButtonsWriteTheirOwnRowsResolution) {
    struct Case {
        ControlId button;
        uint32_t width, height;
    };
    const Case cases[] = {
        {ControlId::按钮2, 1024, 768},  {ControlId::按钮3, 1280, 1024},
        {ControlId::按钮4, 1440, 1050}, {ControlId::按钮5, 1366, 768},
        {ControlId::按钮6, 1920, 1080},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(id(c.button));
        shell.messages.clear();
        EXPECT_TRUE(dispatch(program, id(c.button), WindowEvent::Clicked));
        EXPECT_EQ(gameValue("reswidth"), c.width);
        EXPECT_EQ(gameValue("resheight"), c.height);
        EXPECT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.closeRequests, 0);
    }
}

TEST_F(EventsTest, DesktopButtonWritesTheCapturedDesktopResolution) {
    program.state.desktopWidth = 1600;
    program.state.desktopHeight = 900;
    EXPECT_TRUE(dispatch(program, id(ControlId::按钮1), WindowEvent::Clicked));
    EXPECT_EQ(gameValue("reswidth"), 1600u);
    EXPECT_EQ(gameValue("resheight"), 900u);
}

TEST_F(EventsTest, SetButtonTakesTheTypedResolution) {
    shell.controlTexts[id(ControlId::编辑框_宽)] = "1280";
    shell.controlTexts[id(ControlId::编辑框_高)] = "720";
    EXPECT_TRUE(dispatch(program, id(ControlId::按钮_设置), WindowEvent::Clicked));
    EXPECT_EQ(gameValue("reswidth"), 1280u);
    EXPECT_EQ(gameValue("resheight"), 720u);
}

TEST_F(EventsTest, ExitOnlyAsksTheWindowToClose) {
    EXPECT_TRUE(dispatch(program, id(ControlId::按钮7), WindowEvent::Clicked));
    EXPECT_EQ(shell.closeRequests, 1);
    EXPECT_EQ(shell.callCount(), 1u);
    EXPECT_TRUE(registry.log.empty());
}

TEST_F(EventsTest, AboutShowsTheProgramVersionAndReleaseMonth) {
    EXPECT_TRUE(dispatch(program, id(ControlId::按钮8), WindowEvent::Clicked));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, "关于程序");
    const std::string& text = shell.messages[0].text;
    const std::string firstLine = "Pixmora，适用于宽屏电脑设置分辨率！\r\n";
    ASSERT_EQ(text.compare(0, firstLine.size(), firstLine), 0) << text;
    std::string secondLine = text.substr(firstLine.size());
    EXPECT_NE(secondLine.find("v1.00"), std::string::npos);
    EXPECT_NE(secondLine.find("2019.04"), std::string::npos);
    EXPECT_EQ(secondLine.find('\n'), std::string::npos);
    EXPECT_EQ(shell.closeRequests, 0);
    EXPECT_TRUE(registry.log.empty());
}

TEST_F(EventsTest, LabelsAndEditBoxesReactToNothing) {
    shell.controlTexts[id(ControlId::编辑框_宽)] = "1280";
    for (const ControlDefinition& control : mainWindowControls) {
        if (control.kind == ControlKind::PushButton) {
            continue;
        }
        SCOPED_TRACE(id(control.id));
        EXPECT_FALSE(dispatch(program, id(control.id), WindowEvent::Clicked));
    }
    EXPECT_EQ(shell.callCount(), 0u);
    EXPECT_TRUE(registry.log.empty());
}

TEST_F(EventsTest, DisplayChangeRecapturesTheDesktop) {
    screen.caps = {2560, 1440, 32, 60};
    EXPECT_TRUE(dispatch(program, MainWindowSource, WindowEvent::DisplayChanged));
    EXPECT_EQ(program.state.desktopWidth, 2560);
    EXPECT_EQ(program.state.desktopHeight, 1440);
    ASSERT_FALSE(shell.textsSet.empty());
    EXPECT_EQ(shell.textsSet.back().first, id(ControlId::标签4));
    EXPECT_EQ(shell.textsSet.back().second, "2560*1440");
}

TEST(EnableTheme, PassesTheStyleThrough) {
    FakeShell shell;
    enableTheme(shell, 1);
    enableTheme(shell, 0);
    EXPECT_EQ(shell.themes, (std::vector<int>{1, 0}));
}

} // namespace
