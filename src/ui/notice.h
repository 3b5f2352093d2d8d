// Notices: the program's modal message boxes.
#pragma once

class Shell;

// An OK-only, task-modal box with no owner; returns once it is dismissed.
// A null text or title is shown as empty.
void showNotice(Shell& shell, const char* text, const char* title);
