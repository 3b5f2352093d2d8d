// The main window's controls, named as the window definition names them.
#pragma once

enum class ControlId : int {
    标签1 = 1001,
    标签2,
    标签3,
    标签4,
    标签5,
    标签6,
    标签7,
    标签8,
    标签9,
    编辑框_宽 = 1101,
    编辑框_高,
    按钮_设置 = 1201,
    按钮1,
    按钮2,
    按钮3,
    按钮4,
    按钮5,
    按钮6,
    按钮7,
    按钮8,
};

constexpr int controlNumber(ControlId id) {
    return static_cast<int>(id);
}
