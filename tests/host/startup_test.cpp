// Start-up and exit: the order of the steps around a window that records
// what happens to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/program.h"
#include "app/startup.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_screen.h"
#include "fakes/fake_shell.h"

namespace {

class RecordingWindow : public WindowFrame {
  public:
    RecordingWindow(Program& program, FakeShell& shell) : program_(program), shell_(shell) {}

    bool createSucceeds = true;
    std::vector<std::string> steps;
    size_t textsSetWhenShown = 0;
    bool desktopModeZeroAtCreate = false;
    bool desktopModeHeldInLoop = false;

    bool create() override {
        const DisplayMode* mode = program_.state.desktopMode.get();
        desktopModeZeroAtCreate = mode && mode->width == 0 && mode->height == 0 &&
                                  mode->bitsPerPixel == 0 && mode->refreshRate == 0;
        steps.push_back("create");
        return createSucceeds;
    }
    void show() override {
        textsSetWhenShown = shell_.textsSet.size();
        steps.push_back("show");
    }
    void runMessageLoop() override {
        desktopModeHeldInLoop = program_.state.desktopMode != nullptr;
        steps.push_back("loop");
    }

  private:
    Program& program_;
    FakeShell& shell_;
};

class StartupTest : public ::testing::Test {
  protected:
    FakeRegistry registry;
    FakeScreen screen;
    FakeShell shell;
    Program program{registry, screen, shell, {}};
    RecordingWindow window{program, shell};
};

TEST_F(StartupTest, RunsTheCreatedHandlerBetweenCreatingAndShowing) {
    EXPECT_EQ(runProgram(program, window), 0);
    EXPECT_EQ(window.steps, (std::vector<std::string>{"create", "show", "loop"}));
    EXPECT_TRUE(window.desktopModeZeroAtCreate);
    // Both display fields had their texts before the window was shown.
    ASSERT_GE(window.textsSetWhenShown, 2u);
    std::vector<int> labels;
    for (size_t i = 0; i < window.textsSetWhenShown; ++i) {
        labels.push_back(shell.textsSet[i].first);
    }
    EXPECT_NE(std::find(labels.begin(), labels.end(), controlNumber(ControlId::标签2)),
              labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), controlNumber(ControlId::标签4)),
              labels.end());
    EXPECT_EQ(shell.themes, std::vector<int>{1});
}

TEST_F(StartupTest, ExitActionReleasesTheDesktopModeAfterTheLoop) {
    runProgram(program, window);
    EXPECT_TRUE(window.desktopModeHeldInLoop);
    EXPECT_EQ(program.state.desktopMode, nullptr);
}

TEST_F(StartupTest, NothingIsWrittenOrAskedOnTheWayInAndOut) {
    runProgram(program, window);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(shell.closeRequests, 0);
    EXPECT_TRUE(registry.keyPaths().empty());
}

TEST_F(StartupTest, AWindowThatCannotBeCreatedEndsWithoutShowingAnything) {
    window.createSucceeds = false;
    EXPECT_EQ(runProgram(program, window), 1);
    EXPECT_EQ(window.steps, std::vector<std::string>{"create"});
    EXPECT_EQ(shell.callCount(), 0u);
    EXPECT_EQ(program.state.desktopMode, nullptr);
}

} // namespace
