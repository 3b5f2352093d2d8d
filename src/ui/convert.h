// Numbers to texts and back, and joining texts. All texts are GBK.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "platform/text.h"

// "%d": no leading zeros, no plus sign, "-" for negatives.
Text intToText(int32_t value);
// Folds full-width forms to ASCII, then reads an optional sign and decimal
// digits after leading white space, wrapping in 32 bits. No digits give 0.
int32_t textToInt(const char* text);
// Whether textToInt reads `text` without wrapping: the number it finds lies
// between -2147483648 and 2147483647.
bool textToIntFits(const char* text);
// Both answers from one reading.
struct NumberReading {
    int32_t value; // as textToInt gives it
    bool fits;     // as textToIntFits gives it
};
NumberReading readNumber(const char* text);
// The texts one after another; a null pointer counts as empty.
Text joinTexts(std::initializer_list<const char*> parts);
// "width*height", e.g. 1920*1080.
Text formatResolution(int32_t width, int32_t height);
