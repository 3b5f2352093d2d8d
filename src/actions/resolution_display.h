// Filling the window's two display fields: the game's stored resolution and
// the desktop's.
#pragma once

struct Program;

// The window's created handler: switches the theme on, then shows both
// resolutions.
void showResolutionsAtStart(Program& program);

// Reads the game's two values and shows them in 标签2, or the not-detected
// text when the game has no height value.
void refreshGameResolution(Program& program);

// Queries the desktop again and shows it in 标签4. Runs at start and whenever
// the desktop's resolution changes, so the desktop button always writes the
// resolution the screen has now.
void refreshDesktopResolution(Program& program);
