// The program state the handlers share, and the platform they act on.
// One instance lives from start to exit and is touched only by the GUI thread.
#pragma once

#include <cstdint>
#include <memory>

#include "sources/display_mode.h"

class Registry;
class Screen;
class Shell;

struct ProgramState {
    int32_t gameHeight = 0;                   // last resheight read from the registry
    int32_t gameWidth = 0;                    // last reswidth read from the registry
    int32_t desktopWidth = 0;                 // desktop width last captured
    int32_t desktopHeight = 0;                // desktop height last captured
    std::unique_ptr<DisplayMode> desktopMode; // the last desktop query
    int32_t customHeight = 0;                 // last height taken from the height box
    int32_t customWidth = 0;                  // last width taken from the width box
};

struct Program {
    Registry& registry;
    Screen& screen;
    Shell& shell;
    ProgramState state;
};
