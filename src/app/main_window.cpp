#include "app/main_window.h"

const char* const MainWindowCaption = "Pixmora";

const ControlDefinition mainWindowControls[MainWindowControlCount] = {
    {ControlId::标签1, ControlKind::Label, 33, 26, 87, 32, "War3当前分辨率"},
    {ControlId::标签2, ControlKind::Label, 129, 29, 96, 25, "标签"},
    {ControlId::标签3, ControlKind::Label, 266, 32, 104, 24, "操作系统分辨率："},
    {ControlId::标签4, ControlKind::Label, 384, 31, 80, 24, "标签"},
    {ControlId::按钮1, ControlKind::PushButton, 474, 25, 136, 32, "设置为系统分辨率"},
    {ControlId::编辑框_宽, ControlKind::EditBox, 32, 102, 88, 20, ""},
    {ControlId::编辑框_高, ControlKind::EditBox, 32, 145, 88, 20, ""},
    {ControlId::按钮_设置, ControlKind::PushButton, 32, 187, 88, 32, "设置"},
    {ControlId::标签5, ControlKind::Label, 160, 96, 320, 24,
     "1024*768（常用10.4、12.1、14.1、15寸电脑使用）4:3"},
    {ControlId::按钮2, ControlKind::PushButton, 504, 88, 80, 32, "快速设置"},
    {ControlId::标签6, ControlKind::Label, 160, 136, 312, 24,
     "1280*1024（常用14.1、15寸电脑使用）5:4"},
    {ControlId::按钮3, ControlKind::PushButton, 504, 128, 80, 32, "快速设置"},
    {ControlId::标签7, ControlKind::Label, 160, 176, 312, 24,
     "1440*1050（常用15、16.1寸电脑使用）4:3"},
    {ControlId::按钮4, ControlKind::PushButton, 504, 168, 80, 32, "快速设置"},
    {ControlId::标签8, ControlKind::Label, 160, 210, 312, 24,
     "1366*768（常见15.2寸电脑使用）15:10（主流）"},
    {ControlId::按钮5, ControlKind::PushButton, 504, 208, 80, 32, "快速设置"},
    {ControlId::标签9, ControlKind::Label, 160, 249, 208, 24, "1920*1080 16:9 （主流）"},
    {ControlId::按钮6, ControlKind::PushButton, 504, 248, 80, 32, "快速设置"},
    {ControlId::按钮7, ControlKind::PushButton, 136, 304, 80, 32, "退出"},
    {ControlId::按钮8, ControlKind::PushButton, 384, 303, 80, 32, "关于"},
};

const ControlId tabOrder[TabOrderLength] = {
    ControlId::编辑框_宽, ControlId::编辑框_高, ControlId::按钮_设置, ControlId::按钮1,
    ControlId::按钮2,     ControlId::按钮3,     ControlId::按钮4,     ControlId::按钮5,
    ControlId::按钮6,     ControlId::按钮7,     ControlId::按钮8,
};

const ControlDefinition* findControl(ControlId id) {
    for (const ControlDefinition& control : mainWindowControls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

WindowCorner centredCorner(int screenWidth, int screenHeight) {
    return {(screenWidth - MainWindowWidth) / 2, (screenHeight - MainWindowHeight) / 2};
}
