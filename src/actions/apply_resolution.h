// The handlers that change the game's resolution and confirm it in a notice.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/controls.h"

struct Program;

struct PresetResolution {
    ControlId button;
    int32_t width;
    int32_t height;
};

// The quick-set buttons from the top row down; each writes the resolution its
// row's label describes.
extern const PresetResolution presetTable[5];

void applyFixedResolution(Program& program, int32_t width, int32_t height);
// A quick-set button; a button not in presetTable does nothing.
void applyPresetResolution(Program& program, ControlId button);
// 按钮1: the desktop resolution last captured.
void applyDesktopResolution(Program& program);
// 按钮_设置: the width and height typed into the two edit boxes.
void applyCustomResolution(Program& program);
