#include "app/events.h"

#include "actions/apply_resolution.h"
#include "actions/resolution_display.h"
#include "app/app_handlers.h"
#include "app/controls.h"

namespace {

// The quick-set buttons share one handler that looks up the button's row in
// presetTable; each gets its own entry point so the table stays one row per
// button.
template <ControlId button> void quickSet(Program& program) {
    applyPresetResolution(program, button);
}

constexpr int button(ControlId id) {
    return controlNumber(id);
}

} // namespace

const EventBinding eventTable[] = {
    {MainWindowSource, WindowEvent::Created, showResolutionsAtStart},
    {MainWindowSource, WindowEvent::DisplayChanged, refreshDesktopResolution},
    {button(ControlId::按钮1), WindowEvent::Clicked, applyDesktopResolution},
    {button(ControlId::按钮_设置), WindowEvent::Clicked, applyCustomResolution},
    {button(ControlId::按钮2), WindowEvent::Clicked, quickSet<ControlId::按钮2>},
    {button(ControlId::按钮3), WindowEvent::Clicked, quickSet<ControlId::按钮3>},
    {button(ControlId::按钮4), WindowEvent::Clicked, quickSet<ControlId::按钮4>},
    {button(ControlId::按钮5), WindowEvent::Clicked, quickSet<ControlId::按钮5>},
    {button(ControlId::按钮6), WindowEvent::Clicked, quickSet<ControlId::按钮6>},
    {button(ControlId::按钮7), WindowEvent::Clicked, exitProgram},
    {button(ControlId::按钮8), WindowEvent::Clicked, showAbout},
};

const size_t eventTableSize = sizeof(eventTable) / sizeof(eventTable[0]);

EventHandler findHandler(int source, WindowEvent event) {
    for (const EventBinding& binding : eventTable) {
        if (binding.source == source && binding.event == event) {
            return binding.handler;
        }
    }
    return nullptr;
}

bool dispatch(Program& program, int source, WindowEvent event) {
    EventHandler handler = findHandler(source, event);
    if (!handler) {
        return false;
    }
    handler(program);
    return true;
}
