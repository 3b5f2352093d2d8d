// The event table: which handler each event of MainWindow and its controls
// runs. An event with no row has no handler, so labels react to nothing.
#pragma once

#include <cstddef>

struct Program;

enum class WindowEvent {
    Created,        // MainWindow, once, before it is first shown
    Clicked,        // a push button
    DisplayChanged, // MainWindow: the desktop's resolution changed
};

// MainWindow itself as an event source; controls are sources by their
// ControlId numbers, which are never 0.
constexpr int MainWindowSource = 0;

using EventHandler = void (*)(Program& program);

struct EventBinding {
    int source;
    WindowEvent event;
    EventHandler handler;
};

extern const EventBinding eventTable[];
extern const size_t eventTableSize;

// The handler bound to (source, event), or null when there is none.
EventHandler findHandler(int source, WindowEvent event);

// Runs the bound handler to its end; false when the event has no handler.
bool dispatch(Program& program, int source, WindowEvent event);
