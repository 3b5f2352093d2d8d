// splitRegistryPath on arbitrary bytes. The split is right when the separator
// it chose is a backslash character of its own (not the trail byte of a GBK
// two-byte character) and no such backslash follows it; the two parts then
// rebuild the input exactly.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "sources/game_video_settings.h"

namespace {

// Offsets at which a character starts, reading a byte of 0x80 and up together
// with the byte after it. A lead byte that ends the text is a character alone.
std::string::size_type lastBackslashCharacter(const std::string& s) {
    std::string::size_type found = std::string::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) >= 0x80) {
            ++i;
        } else if (s[i] == '\\') {
            found = i;
        }
    }
    return found;
}

bool startsCharacter(const std::string& s, size_t offset) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (i == offset) {
            return true;
        }
        if (static_cast<unsigned char>(s[i]) >= 0x80) {
            ++i;
        }
    }
    return offset == s.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzText text(data, size);
    const std::string input = text.str();
    RegistryPath split = splitRegistryPath(text.c_str());
    const std::string key(split.keyPath.c_str(), split.keyPath.size());
    const std::string value(split.valueName.c_str(), split.valueName.size());
    const std::string shown = escapeBytes(input);

    if (input.compare(0, key.size(), key) != 0) {
        fuzzFailure("\"%s\": key path \"%s\" is not a prefix", shown.c_str(),
                    escapeBytes(key).c_str());
    }
    if (lastBackslashCharacter(value) != std::string::npos) {
        fuzzFailure("\"%s\": value name \"%s\" holds a separator", shown.c_str(),
                    escapeBytes(value).c_str());
    }
    if (lastBackslashCharacter(input) == std::string::npos) {
        // No separator: a value directly under the root.
        if (!key.empty() || value != input) {
            fuzzFailure("\"%s\": no separator, yet split into \"%s\" and \"%s\"", shown.c_str(),
                        escapeBytes(key).c_str(), escapeBytes(value).c_str());
        }
        return 0;
    }
    if (key + "\\" + value != input) {
        fuzzFailure("\"%s\": \"%s\" and \"%s\" do not rebuild it", shown.c_str(),
                    escapeBytes(key).c_str(), escapeBytes(value).c_str());
    }
    if (!startsCharacter(input, key.size())) {
        fuzzFailure("\"%s\": split at the trail byte of a two-byte character", shown.c_str());
    }
    return 0;
}
