// intToText against printf's "%d", its round trip through textToInt, and
// formatResolution against "%d*%d", for int32 values taken from the input.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fuzz_input.h"
#include "ui/convert.h"

namespace {

// The bytes from `offset` as an int32, missing bytes read as 0.
int32_t takeInt32(const uint8_t* data, size_t size, size_t offset) {
    uint8_t bytes[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && offset + i < size; ++i) {
        bytes[i] = data[offset + i];
    }
    int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t width = takeInt32(data, size, 0);
    int32_t height = takeInt32(data, size, 4);

    char expected[32];
    std::snprintf(expected, sizeof expected, "%d", static_cast<int>(width));
    Text text = intToText(width);
    if (std::strcmp(text.c_str(), expected) != 0 || text.size() != std::strlen(expected)) {
        fuzzFailure("intToText(%d) gave \"%s\"", static_cast<int>(width), text.c_str());
    }
    if (textToInt(text.c_str()) != width) {
        fuzzFailure("textToInt(intToText(%d)) gave %d", static_cast<int>(width),
                    static_cast<int>(textToInt(text.c_str())));
    }

    std::snprintf(expected, sizeof expected, "%d*%d", static_cast<int>(width),
                  static_cast<int>(height));
    Text resolution = formatResolution(width, height);
    if (std::strcmp(resolution.c_str(), expected) != 0 ||
        resolution.size() != std::strlen(expected)) {
        fuzzFailure("formatResolution(%d, %d) gave \"%s\"", static_cast<int>(width),
                    static_cast<int>(height), resolution.c_str());
    }
    return 0;
}
