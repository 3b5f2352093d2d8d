#include "actions/apply_resolution.h"

#include "actions/resolution_display.h"
#include "app/program.h"
#include "platform/shell.h"
#include "sources/game_video_settings.h"
#include "ui/convert.h"
#include "ui/notice.h"

const PresetResolution presetTable[5] = {
    {ControlId::按钮2, 1024, 768}, {ControlId::按钮3, 1280, 1024}, {ControlId::按钮4, 1440, 1050},
    {ControlId::按钮5, 1366, 768}, {ControlId::按钮6, 1920, 1080},
};

namespace {

const char* const CurrentResolutionText = "当前的分辨率为";
const char* const SuccessTitle = "设置成功！";
const char* const FailureTitle = "设置失败！";
const char* const WriteFailedText = "写入注册表失败！\r\n";
const char* const BadInputText = "您的设置有误！";
const char* const BadInputTitle = "输入错误！";

// Writes height first, then width; both writes
// are attempted even when the first fails. True only when both were set.
bool writeResolution(Program& program, int32_t width, int32_t height) {
    RegistryRoot root = RegistryRoot::CurrentUser;
    bool heightSet = writeRegistryNumber(program.registry, root, ResHeightPath, height);
    bool widthSet = writeRegistryNumber(program.registry, root, ResWidthPath, width);
    return heightSet && widthSet;
}

void confirm(Program& program, const char* prefix, int32_t width, int32_t height,
             const char* title) {
    Text resolution = formatResolution(width, height);
    Text message = joinTexts({prefix, CurrentResolutionText, resolution.c_str()});
    showNotice(program.shell, message.c_str(), title);
}

// After a failed write the player is told so, with what the game will now
// find in the registry, never a success that did not happen.
void reportWriteFailure(Program& program) {
    confirm(program, WriteFailedText, program.state.gameWidth, program.state.gameHeight,
            FailureTitle);
}

} // namespace

void applyFixedResolution(Program& program, int32_t width, int32_t height) {
    bool written = writeResolution(program, width, height);
    // Reading back refreshes gameHeight and gameWidth and keeps 标签2 truthful.
    refreshGameResolution(program);
    if (!written) {
        reportWriteFailure(program);
        return;
    }
    confirm(program, "", program.state.gameWidth, program.state.gameHeight, SuccessTitle);
}

void applyPresetResolution(Program& program, ControlId button) {
    for (const PresetResolution& preset : presetTable) {
        if (preset.button == button) {
            applyFixedResolution(program, preset.width, preset.height);
            return;
        }
    }
}

void applyDesktopResolution(Program& program) {
    applyFixedResolution(program, program.state.desktopWidth, program.state.desktopHeight);
}

void applyCustomResolution(Program& program) {
    ProgramState& state = program.state;
    Text heightText = program.shell.controlText(controlNumber(ControlId::编辑框_高));
    NumberReading height = readNumber(heightText.c_str());
    state.customHeight = height.value;
    Text widthText = program.shell.controlText(controlNumber(ControlId::编辑框_宽));
    NumberReading width = readNumber(widthText.c_str());
    state.customWidth = width.value;
    // No screen is zero or fewer pixels across; such a value in the game's
    // settings would only stop it from starting. A number too long to hold
    // would be stored wrapped, as some other number than the one typed.
    if (!height.fits || !width.fits || state.customHeight < 1 || state.customWidth < 1) {
        showNotice(program.shell, BadInputText, BadInputTitle);
        return;
    }
    bool written = writeResolution(program, state.customWidth, state.customHeight);
    refreshGameResolution(program);
    if (!written) {
        reportWriteFailure(program);
        return;
    }
    confirm(program, "", state.customWidth, state.customHeight, SuccessTitle);
}
