#include "ui/notice.h"

#include "platform/shell.h"

void showNotice(Shell& shell, const char* text, const char* title) {
    shell.showMessage(text ? text : "", title ? title : "");
}
