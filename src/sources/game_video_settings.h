// GameVideoSettings: the two registry values in which the game keeps its
// screen resolution. Each value is named by one full path, the key path and the
// value name joined by a backslash; the operations split it again.
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "platform/text.h"

extern const char* const VideoKeyPath;    // Software\...\Warcraft III\Video
extern const char* const ResHeightPath;   // VideoKeyPath + "\resheight"
extern const char* const ResWidthPath;    // VideoKeyPath + "\reswidth"

struct RegistryPath {
    Text keyPath;
    Text valueName;
};

// Splits at the last backslash, reading GBK two-byte characters whole so that
// a trail byte of 0x5C is never taken for a separator.
RegistryPath splitRegistryPath(const char* fullPath);

bool registryValueExists(Registry& registry, RegistryRoot root, const char* fullPath);
// 0 stands for every failure, including a value that is not a REG_DWORD.
int32_t readRegistryNumber(Registry& registry, RegistryRoot root, const char* fullPath);
// True when the value was set; creates the key path when it is missing.
bool writeRegistryNumber(Registry& registry, RegistryRoot root, const char* fullPath,
                         int32_t value);
