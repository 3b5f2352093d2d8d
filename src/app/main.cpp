// Entry point: the platform's objects, then the program's life from start to
// exit. Takes nothing from the command line.
#include <windows.h>

#include "app/program.h"
#include "app/startup.h"
#include "platform/win/main_window_win.h"
#include "platform/win/registry_win.h"
#include "platform/win/screen_win.h"
#include "platform/win/shell_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WindowsRegistry registry;
    WindowsScreen screen;
    WindowsMainWindow window(instance, showCommand);
    WindowsShell shell(window);
    Program program{registry, screen, shell, {}};
    ProgramEvents events(program);
    window.setEventSink(events);
    return runProgram(program, window);
}
