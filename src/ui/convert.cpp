#include "ui/convert.h"

namespace {

// Full-width forms a player may type with a Chinese input method, folded to the
// ASCII they stand for before a number is read. Returns false for a two-byte
// character that is kept as it is.
bool foldFullWidth(unsigned char lead, unsigned char trail, char* ascii) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        *ascii = static_cast<char>(trail & 0x7F); // GB2312 row 3 mirrors ASCII 0x21..0x7E
        return true;
    }
    if (lead == 0xA1) {
        switch (trail) {
        case 0xA1: { // ideographic space
            *ascii = ' ';
            return true;
        }
        case 0xAB: { // full-width tilde
            *ascii = '~';
            return true;
        }
        case 0xEE:   // white star
        case 0xEF: { // black star
            *ascii = '*';
            return true;
        }
        default: {
            return false;
        }
        }
    }
    return false;
}

Text foldFullWidthForms(const char* text) {
    Text folded;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        if (*p < 0x80) {
            folded.append(static_cast<char>(*p));
            ++p;
            continue;
        }
        if (!p[1]) {
            break; // a lead byte with nothing after it is dropped
        }
        char ascii;
        if (foldFullWidth(p[0], p[1], &ascii)) {
            folded.append(ascii);
        } else {
            folded.append(reinterpret_cast<const char*>(p), 2);
        }
        p += 2;
    }
    return folded;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

NumberReading readNumber(const char* text) {
    if (!text) {
        return {0, true};
    }
    Text folded = foldFullWidthForms(text);
    const char* p = folded.c_str();
    while (isSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Overflow wraps in 32 bits instead of saturating: 4294967296 reads as 0
    // and 4294967295 as -1. Unsigned arithmetic keeps the wrap well defined;
    // the magnitude, capped once it is out of range, says whether it wrapped.
    const uint64_t largest = negative ? 2147483648u : 2147483647u;
    uint32_t value = 0;
    uint64_t magnitude = 0;
    while (*p >= '0' && *p <= '9') {
        unsigned digit = static_cast<unsigned>(*p - '0');
        value = value * 10u + digit;
        if (magnitude <= largest) {
            magnitude = magnitude * 10u + digit;
        }
        ++p;
    }
    if (negative) {
        value = 0u - value;
    }
    return {static_cast<int32_t>(value), magnitude <= largest};
}

Text intToText(int32_t value) {
    // Work in unsigned arithmetic so that the smallest int32 has a magnitude.
    uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--p = '-';
    }
    return Text(p, static_cast<size_t>(end - p));
}

int32_t textToInt(const char* text) {
    return readNumber(text).value;
}

bool textToIntFits(const char* text) {
    return readNumber(text).fits;
}

Text joinTexts(std::initializer_list<const char*> parts) {
    Text joined;
    for (const char* part : parts) {
        joined.append(part);
    }
    return joined;
}

Text formatResolution(int32_t width, int32_t height) {
    Text w = intToText(width);
    Text h = intToText(height);
    return joinTexts({w.c_str(), "*", h.c_str()});
}
