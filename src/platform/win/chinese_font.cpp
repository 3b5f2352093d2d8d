#include "platform/win/chinese_font.h"

#include "platform/win/gbk.h"
#include "platform/win/gdi.h"

namespace {

// Characters from the program's own texts. A font with all of them carries
// the Simplified Chinese set, not just a few borrowed ideographs.
const wchar_t* const ChineseSample = L"未检测到注册表项当前的分辨率为设置成功失败输入错误关于程序";

// A message box's text is the static with this id (as on every Windows).
const int MessageBoxTextId = 0xFFFF;

// The stand-ins made for fonts without Chinese, one per font asked about,
// deleted when the program ends. Only the window font and the message font
// are ever asked about.
class StandInFonts {
  public:
    StandInFonts() = default;
    StandInFonts(const StandInFonts&) = delete;
    StandInFonts& operator=(const StandInFonts&) = delete;
    ~StandInFonts() {
        for (int i = 0; i < count_; ++i) {
            if (entries_[i].standIn != entries_[i].preferred) {
                DeleteObject(entries_[i].standIn);
            }
        }
    }

    bool find(HFONT preferred, HFONT* standIn) const {
        for (int i = 0; i < count_; ++i) {
            if (entries_[i].preferred == preferred) {
                *standIn = entries_[i].standIn;
                return true;
            }
        }
        return false;
    }

    // Keeps `standIn` for `preferred`; false when full, and the caller keeps it.
    bool add(HFONT preferred, HFONT standIn) {
        if (count_ == Capacity) {
            return false;
        }
        entries_[count_++] = {preferred, standIn};
        return true;
    }

  private:
    static const int Capacity = 4;
    struct Entry {
        HFONT preferred;
        HFONT standIn;
    };
    Entry entries_[Capacity] = {};
    int count_ = 0;
};

StandInFonts gStandIns;

// The same size and weight with the Simplified Chinese character set and no
// face name, which lets the font mapper pick any face that has the set.
HFONT makeChineseStandIn(HFONT preferred) {
    LOGFONTW look = {};
    if (!GetObjectW(preferred, sizeof(look), &look)) {
        return nullptr;
    }
    look.lfCharSet = GB2312_CHARSET;
    look.lfFaceName[0] = L'\0';
    HFONT standIn = CreateFontIndirectW(&look);
    if (standIn && !fontDrawsText(standIn, ChineseSample)) {
        DeleteObject(standIn);
        return nullptr;
    }
    return standIn;
}

// The system's message font, made once and kept while the program runs.
class MessageFont {
  public:
    MessageFont() = default;
    MessageFont(const MessageFont&) = delete;
    MessageFont& operator=(const MessageFont&) = delete;
    ~MessageFont() {
        if (font_) {
            DeleteObject(font_);
        }
    }

    HFONT get() {
        if (!made_) {
            made_ = true;
            NONCLIENTMETRICSW metrics = {};
            metrics.cbSize = sizeof(metrics);
            if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
                font_ = CreateFontIndirectW(&metrics.lfMessageFont);
            }
        }
        return font_;
    }

  private:
    bool made_ = false;
    HFONT font_ = nullptr;
};

MessageFont gMessageFont;

// The font the guard gives message boxes, and the box's own window procedure
// while the box is subclassed. One box at a time: the notices are modal.
HFONT gMessageBoxFont = nullptr;
WNDPROC gBoxProcedure = nullptr;

bool isDialog(HWND window) {
    wchar_t name[8];
    return GetClassNameW(window, name, 8) && lstrcmpW(name, L"#32770") == 0;
}

// The box lays itself out for the message font while it handles
// WM_INITDIALOG; straight after, before it is first shown, it gets the
// Chinese font and is laid out again.
LRESULT CALLBACK onBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC own = gBoxProcedure;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        gBoxProcedure = nullptr;
    }
    LRESULT result = CallWindowProcW(own, box, message, wParam, lParam);
    if (message == WM_INITDIALOG && gMessageBoxFont) {
        refontMessageBox(box, gMessageBoxFont);
    }
    return result;
}

LRESULT CALLBACK onThreadCbt(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && !gBoxProcedure && isDialog(window)) {
        gBoxProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(onBoxMessage)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

RECT rectInParent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void moveChild(HWND child, const RECT& rect) {
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

bool fontDrawsText(HFONT font, const wchar_t* text) {
    ScreenDc screen;
    if (!font || !screen.get()) {
        return false;
    }
    Selected selected(screen.get(), font);
    bool drawn = true;
    // A few characters at a time keeps the glyph buffer on the stack.
    WORD glyphs[16];
    for (int start = 0, length = lstrlenW(text); drawn && start < length; start += 16) {
        int count = length - start < 16 ? length - start : 16;
        if (GetGlyphIndicesW(screen.get(), text + start, count, glyphs,
                             GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            // Line breaks and tabs are laid out, not drawn.
            drawn = drawn && (glyphs[i] != 0xFFFF || text[start + i] < L' ');
        }
    }
    return drawn;
}

HFONT chineseCapableFont(HFONT preferred) {
    HFONT standIn = nullptr;
    if (gStandIns.find(preferred, &standIn)) {
        return standIn;
    }
    standIn = preferred;
    if (!fontDrawsText(preferred, ChineseSample)) {
        if (HFONT made = makeChineseStandIn(preferred)) {
            standIn = made;
        }
    }
    if (!gStandIns.add(preferred, standIn) && standIn != preferred) {
        DeleteObject(standIn);
        standIn = preferred;
    }
    return standIn;
}

HFONT windowFont() {
    // A stock object: never deleted.
    return chineseCapableFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

ChineseMessageBoxGuard::ChineseMessageBoxGuard() {
    HFONT message = gMessageFont.get();
    if (!message) {
        return;
    }
    HFONT standIn = chineseCapableFont(message);
    if (standIn == message) {
        return;
    }
    gMessageBoxFont = standIn;
    hook_ = SetWindowsHookExW(WH_CBT, onThreadCbt, nullptr, GetCurrentThreadId());
}

ChineseMessageBoxGuard::~ChineseMessageBoxGuard() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
    }
    gMessageBoxFont = nullptr;
}

void refontMessageBox(HWND box, HFONT font) {
    HWND text = GetDlgItem(box, MessageBoxTextId);
    if (!text || !font) {
        return;
    }
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    RECT needed = {0, 0, 0, 0};
    {
        ScreenDc screen;
        if (!screen.get()) {
            return;
        }
        Selected selected(screen.get(), font);
        WideText words = windowText(text);
        DrawTextW(screen.get(), words.c_str(), -1, &needed,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
    RECT textRect = rectInParent(text);
    LONG wider = needed.right - (textRect.right - textRect.left);
    LONG taller = needed.bottom - (textRect.bottom - textRect.top);
    wider = wider > 0 ? wider : 0;
    taller = taller > 0 ? taller : 0;

    if (wider || taller) {
        // The buttons sit centred below the text: they go down by what the
        // text grows and right by half of it, as the box grows around its
        // centre.
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect = rectInParent(child);
            if (child != text && rect.top >= textRect.bottom) {
                OffsetRect(&rect, wider / 2, taller);
                moveChild(child, rect);
            }
        }
        textRect.right += wider;
        textRect.bottom += taller;
        moveChild(text, textRect);
        RECT frame;
        GetWindowRect(box, &frame);
        SetWindowPos(box, nullptr, frame.left - wider / 2, frame.top - taller / 2,
                     frame.right - frame.left + wider, frame.bottom - frame.top + taller,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(box, nullptr, TRUE);
}
