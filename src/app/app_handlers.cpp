#include "app/app_handlers.h"

#include "app/program.h"
#include "platform/shell.h"
#include "ui/notice.h"

const char* const AboutTitle = "关于程序";
const char* const AboutText = "Pixmora，适用于宽屏电脑设置分辨率！\r\n版本 v1.00，发布于 2019.04";

void showAbout(Program& program) {
    showNotice(program.shell, AboutText, AboutTitle);
}

void exitProgram(Program& program) {
    program.shell.closeMainWindow();
}

void enableTheme(Shell& shell, int style) {
    shell.setTheme(style);
}
