// What the handlers may do to the user interface: set a label's text, read an
// edit box, show a notice, switch the theme and close the main window.
// Controls are named by their numeric identifiers; texts are GBK.
#pragma once

#include "platform/text.h"

class Shell {
  public:
    virtual ~Shell() = default;

    // Replaces the whole text of a control; it repaints with the new text.
    virtual void setControlText(int controlId, const char* text) = 0;
    // The whole current text of a control; an empty box yields the empty text.
    virtual Text controlText(int controlId) = 0;
    // A modal message box with an OK button; returns once it is dismissed.
    virtual void showMessage(const char* text, const char* title) = 0;
    // Switches the program's visual theme; see enableTheme.
    virtual void setTheme(int style) = 0;
    // Asks the main window to destroy itself once the current handler returns.
    virtual void closeMainWindow() = 0;
};
