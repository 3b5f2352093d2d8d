// A screen of a chosen size, or none at all.
#pragma once

#include "platform/screen.h"

class FakeScreen : public Screen {
  public:
    ScreenCaps caps{1920, 1080, 32, 60};
    bool present = true;
    int queries = 0;

    bool queryCaps(ScreenCaps* out) override {
        ++queries;
        if (!present) {
            return false;
        }
        *out = caps;
        return true;
    }
};
