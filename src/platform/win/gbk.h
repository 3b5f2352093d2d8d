// The boundary between the program's GBK texts and the UTF-16 of the Windows
// W functions. The conversion always uses code page 936, never the system's
// ANSI code page, so Chinese texts show correctly on every Windows and under
// Wine whatever the locale.
#pragma once

#include <windows.h>

#include "platform/text.h"

constexpr UINT GbkCodePage = 936;

// A NUL-terminated UTF-16 string on the C heap.
class WideText {
  public:
    WideText() = default;
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    WideText(WideText&& other) noexcept : data_(other.data_), length_(other.length_) {
        other.data_ = nullptr;
        other.length_ = 0;
    }
    ~WideText();

    const wchar_t* c_str() const { return data_ ? data_ : L""; }
    int length() const { return length_; }

  private:
    friend WideText gbkToWide(const char* text);
    friend WideText windowText(HWND window);
    wchar_t* data_ = nullptr;
    int length_ = 0;
};

// A null text converts to the empty text.
WideText gbkToWide(const char* text);
// A window's or control's text as it stands.
WideText windowText(HWND window);
// `length` UTF-16 units, or up to the first NUL when it is -1.
Text wideToGbk(const wchar_t* text, int length = -1);
