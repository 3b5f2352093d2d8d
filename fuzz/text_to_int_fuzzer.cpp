// textToInt and textToIntFits on arbitrary bytes: they must never read past
// the text, and must agree with a plain reading of their rules written out
// again here, step by step.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "ui/convert.h"

namespace {

// Full-width forms to ASCII. A lead byte (0x80 and up) always takes the byte
// after it; a lead byte that ends the text is dropped.
std::string foldReference(const std::string& in) {
    std::string out;
    for (size_t i = 0; i < in.size(); ++i) {
        unsigned lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out += in[i];
            continue;
        }
        if (i + 1 == in.size()) {
            break;
        }
        unsigned trail = static_cast<unsigned char>(in[i + 1]);
        unsigned code = lead << 8 | trail;
        if (code >= 0xA3A1 && code <= 0xA3FE) {
            out += static_cast<char>(trail - 0x80);
        } else if (code == 0xA1A1) {
            out += ' ';
        } else if (code == 0xA1AB) {
            out += '~';
        } else if (code == 0xA1EE || code == 0xA1EF) {
            out += '*';
        } else {
            out += in.substr(i, 2);
        }
        ++i;
    }
    return out;
}

struct Reading {
    int32_t value;
    bool fits;
};

// Skip white space, one sign, then digits; the value is kept modulo 2^32.
// It fits when the digits, without leading zeros, are at most 2147483647
// (2147483648 after a minus).
Reading parseReference(const std::string& s) {
    const std::string whiteSpace = " \t\n\v\f\r";
    size_t i = 0;
    while (i < s.size() && whiteSpace.find(s[i]) != std::string::npos) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    uint64_t value = 0;
    std::string digits;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<uint64_t>(s[i] - '0')) % 0x100000000u;
        if (!digits.empty() || s[i] != '0') {
            digits += s[i];
        }
    }
    bool fits = digits.size() < 10 ||
                (digits.size() == 10 && digits <= (negative ? "2147483648" : "2147483647"));
    if (negative) {
        value = (0x100000000u - value) % 0x100000000u;
    }
    int64_t signedValue = value >= 0x80000000u ? static_cast<int64_t>(value) - 0x100000000
                                               : static_cast<int64_t>(value);
    return {static_cast<int32_t>(signedValue), fits};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzText text(data, size);
    int32_t got = textToInt(text.c_str());
    Reading expected = parseReference(foldReference(text.str()));
    if (got != expected.value) {
        fuzzFailure("textToInt(\"%s\") gave %d, expected %d", escapeBytes(text.str()).c_str(), got,
                    expected.value);
    }
    if (textToIntFits(text.c_str()) != expected.fits) {
        fuzzFailure("textToIntFits(\"%s\") gave %d", escapeBytes(text.str()).c_str(),
                    static_cast<int>(!expected.fits));
    }
    return 0;
}
