// Fonts that can draw the program's Chinese texts. Chinese Windows draws them
// in its default GUI font, and Windows in other languages links that font to
// a Chinese one. A Wine prefix made for another language has neither: every
// Chinese character would come out as an empty box. There the program draws
// its texts in a font of the same size that carries the Simplified Chinese
// character set instead.
#pragma once

#include <windows.h>

// Whether `font` has a glyph for every character of `text` but the control
// characters (line breaks, tabs).
bool fontDrawsText(HFONT font, const wchar_t* text);

// `preferred` when it draws Chinese; otherwise a font of the same size that
// does, made once and kept while the program runs. `preferred` again when no
// installed font does better.
HFONT chineseCapableFont(HFONT preferred);

// The font of the main window and its controls: the system's default GUI
// font, or its Chinese-capable stand-in.
HFONT windowFont();

// Message boxes take the system's message font, which the program cannot
// choose. While a guard lives, a message box opened on this thread whose
// message font cannot draw Chinese is given a font that can, and is laid out
// again to fit it.
class ChineseMessageBoxGuard {
  public:
    ChineseMessageBoxGuard();
    ChineseMessageBoxGuard(const ChineseMessageBoxGuard&) = delete;
    ChineseMessageBoxGuard& operator=(const ChineseMessageBoxGuard&) = delete;
    ~ChineseMessageBoxGuard();

  private:
    HHOOK hook_ = nullptr;
};

// Gives an open message box `font` and grows its text, and the box with it,
// so the text fits; the buttons below keep their place under the text.
void refontMessageBox(HWND box, HFONT font);
