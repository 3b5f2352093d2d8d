#include "actions/resolution_display.h"

#include "app/app_handlers.h"
#include "app/controls.h"
#include "app/program.h"
#include "platform/shell.h"
#include "sources/game_video_settings.h"
#include "ui/convert.h"

namespace {
const char* const NotDetectedText = "未检测到注册表项";
} // namespace

void showResolutionsAtStart(Program& program) {
    enableTheme(program.shell, 1);
    refreshGameResolution(program);
    refreshDesktopResolution(program);
}

void refreshGameResolution(Program& program) {
    ProgramState& state = program.state;
    RegistryRoot root = RegistryRoot::CurrentUser;
    // Both values are read whether or not the height exists, height first.
    bool found = registryValueExists(program.registry, root, ResHeightPath);
    state.gameHeight = readRegistryNumber(program.registry, root, ResHeightPath);
    state.gameWidth = readRegistryNumber(program.registry, root, ResWidthPath);
    if (!found) {
        program.shell.setControlText(controlNumber(ControlId::标签2), NotDetectedText);
        return;
    }
    Text shown = formatResolution(state.gameWidth, state.gameHeight);
    program.shell.setControlText(controlNumber(ControlId::标签2), shown.c_str());
}

void refreshDesktopResolution(Program& program) {
    ProgramState& state = program.state;
    state.desktopMode.reset(new DisplayMode(queryDesktopMode(program.screen)));
    state.desktopWidth = state.desktopMode->width;
    state.desktopHeight = state.desktopMode->height;
    Text shown = formatResolution(state.desktopWidth, state.desktopHeight);
    program.shell.setControlText(controlNumber(ControlId::标签4), shown.c_str());
}
