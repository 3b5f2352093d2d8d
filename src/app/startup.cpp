#include "app/startup.h"

#include "app/program.h"

namespace {

// The one exit action: releases desktopMode, the program's only long-lived
// allocation. Registered right after the allocation so that it runs on every
// way out, and runs once.
class ExitAction {
  public:
    explicit ExitAction(ProgramState& state) : state_(state) {}
    ExitAction(const ExitAction&) = delete;
    ExitAction& operator=(const ExitAction&) = delete;
    ~ExitAction() { run(); }

    void run() { state_.desktopMode.reset(); }

  private:
    ProgramState& state_;
};

} // namespace

void ProgramEvents::raise(int source, WindowEvent event) {
    dispatch(program_, source, event);
}

int runProgram(Program& program, WindowFrame& window) {
    program.state.desktopMode.reset(new DisplayMode());
    ExitAction exitAction(program.state);
    if (!window.create()) {
        return 1;
    }
    // The created handler fills the two display fields before the window is
    // shown, so the player never sees their placeholder texts.
    dispatch(program, MainWindowSource, WindowEvent::Created);
    window.show();
    window.runMessageLoop();
    exitAction.run();
    return 0;
}
