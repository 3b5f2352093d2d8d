// The handlers the application shell owns itself: About, Exit and the theme
// switch.
#pragma once

class Shell;
struct Program;

extern const char* const AboutTitle;
extern const char* const AboutText;

// 按钮8: who made the program, its version and release month.
void showAbout(Program& program);

// 按钮7: asks MainWindow to destroy itself. Nothing is asked or saved.
void exitProgram(Program& program);

// Remembers `style`; 1 to 3 switch the visual theme on with that style, any
// other value switches it off.
void enableTheme(Shell& shell, int style);
