// The program's life from start to exit, over a main window that the
// platform supplies.
#pragma once

#include "app/events.h"

struct Program;

// MainWindow as the start-up sequence drives it.
class WindowFrame {
  public:
    virtual ~WindowFrame() = default;
    // Creates the window hidden, with all its controls; false when it could
    // not be created.
    virtual bool create() = 0;
    virtual void show() = 0;
    // Takes and dispatches messages until the window has been destroyed.
    virtual void runMessageLoop() = 0;
};

// Where the window reports its events.
class WindowEventSink {
  public:
    virtual ~WindowEventSink() = default;
    virtual void raise(int source, WindowEvent event) = 0;
};

// Passes every event to the event table.
class ProgramEvents : public WindowEventSink {
  public:
    explicit ProgramEvents(Program& program) : program_(program) {}
    void raise(int source, WindowEvent event) override;

  private:
    Program& program_;
};

// Start-up, message loop and exit, in that order. The process's exit code:
// 0 after a normal exit, 1 when the window could not be created.
int runProgram(Program& program, WindowFrame& window);
