// Helpers shared by the fuzz targets.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The fuzzer's bytes as the C string the program would be handed: everything
// up to the first NUL, in a heap block of exactly that length plus the NUL, so
// that AddressSanitizer reports any read past the terminator.
class FuzzText {
  public:
    FuzzText(const uint8_t* data, size_t size) {
        const void* nul = std::memchr(data, 0, size);
        length_ = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : size;
        bytes_ = static_cast<char*>(std::malloc(length_ + 1));
        if (length_) {
            std::memcpy(bytes_, data, length_);
        }
        bytes_[length_] = '\0';
    }
    FuzzText(const FuzzText&) = delete;
    FuzzText& operator=(const FuzzText&) = delete;
    ~FuzzText() { std::free(bytes_); }

    const char* c_str() const { return bytes_; }
    std::string str() const { return std::string(bytes_, length_); }

  private:
    char* bytes_;
    size_t length_;
};

// Bytes as escaped text, so that a report shows GBK input legibly.
inline std::string escapeBytes(const std::string& bytes) {
    std::string out;
    char hex[8];
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// A broken property: says which and stops, so that libFuzzer saves the input.
[[noreturn]] inline void fuzzFailure(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}
