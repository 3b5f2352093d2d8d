// The primary screen's capabilities, from the screen device context.
#pragma once

#include "platform/screen.h"

class WindowsScreen : public Screen {
  public:
    bool queryCaps(ScreenCaps* caps) override;
};
