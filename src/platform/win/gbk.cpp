#include "platform/win/gbk.h"

#include <cstdlib>

WideText::~WideText() {
    std::free(data_);
}

WideText gbkToWide(const char* text) {
    WideText wide;
    if (!text || !*text) {
        return wide;
    }
    int length = MultiByteToWideChar(GbkCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return wide;
    }
    wide.data_ = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * static_cast<size_t>(length)));
    if (!wide.data_) {
        std::abort();
    }
    MultiByteToWideChar(GbkCodePage, 0, text, -1, wide.data_, length);
    wide.length_ = length - 1;
    return wide;
}

WideText windowText(HWND window) {
    WideText wide;
    int length = window ? GetWindowTextLengthW(window) : 0;
    if (length <= 0) {
        return wide;
    }
    wide.data_ =
        static_cast<wchar_t*>(std::calloc(static_cast<size_t>(length) + 1, sizeof(wchar_t)));
    if (!wide.data_) {
        std::abort();
    }
    wide.length_ = GetWindowTextW(window, wide.data_, length + 1);
    return wide;
}

Text wideToGbk(const wchar_t* text, int length) {
    if (!text || length == 0) {
        return Text();
    }
    if (length < 0) {
        length = lstrlenW(text);
    }
    if (length == 0) {
        return Text();
    }
    int bytes = WideCharToMultiByte(GbkCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return Text();
    }
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(bytes)));
    if (!buffer) {
        std::abort();
    }
    WideCharToMultiByte(GbkCodePage, 0, text, length, buffer, bytes, nullptr, nullptr);
    Text converted(buffer, static_cast<size_t>(bytes));
    std::free(buffer);
    return converted;
}
