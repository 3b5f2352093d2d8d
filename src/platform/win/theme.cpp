// The theme switch: finds the controls to restyle, subclasses them and hands
// their painting to theme_draw.cpp. A CBT hook on the thread catches every
// window created while theming is on, so message boxes are restyled as their
// buttons are made.
#include "platform/win/theme.h"

#include <commctrl.h>

#include "platform/win/theme_draw.h"

namespace {

enum class Kind { None, Button, Edit, Combo, ComboList, UpDown };

// A restyled control's subclass reference data, freed with the control.
struct Restyled {
    Kind kind;
    ControlLook look;
};

constexpr UINT_PTR kSubclassId = 0x7468; // "th"

// The one thread's theme state: the style last set and the creation watch.
struct ThemeState {
    int style = 0;
    HHOOK watch = nullptr;
    int restyledCount = 0; // controls subclassed now, for the tests' query
};
ThemeState gTheme;

LRESULT CALLBACK onRestyledMessage(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

// comctl32's subclassing calls. Some builds of comctl32 (Wine's among them)
// export them by ordinal only, so they are looked up by ordinal, which every
// version since 5.8 shares.
struct SubclassApi {
    BOOL(WINAPI* set)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) = nullptr;
    BOOL(WINAPI* get)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*) = nullptr;
    BOOL(WINAPI* remove)(HWND, SUBCLASSPROC, UINT_PTR) = nullptr;
    LRESULT(WINAPI* callNext)(HWND, UINT, WPARAM, LPARAM) = nullptr;
};

template <typename Function> void lookUp(HMODULE module, WORD ordinal, Function& function) {
    FARPROC found = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

const SubclassApi& subclassApi() {
    static SubclassApi api = [] {
        SubclassApi loaded;
        HMODULE module = GetModuleHandleW(L"comctl32.dll");
        if (!module) {
            module = LoadLibraryW(L"comctl32.dll");
        }
        if (module) {
            lookUp(module, 410, loaded.set);
            lookUp(module, 411, loaded.get);
            lookUp(module, 412, loaded.remove);
            lookUp(module, 413, loaded.callNext);
        }
        if (!loaded.set || !loaded.get || !loaded.remove || !loaded.callNext) {
            loaded = SubclassApi{};
        }
        return loaded;
    }();
    return api;
}

bool isRestyled(HWND window, DWORD_PTR* data = nullptr) {
    const SubclassApi& api = subclassApi();
    return window && api.get && api.get(window, onRestyledMessage, kSubclassId, data);
}

void removeRestyling(HWND window) {
    subclassApi().remove(window, onRestyledMessage, kSubclassId);
}

LRESULT callDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassApi().callNext(window, message, wParam, lParam);
}

// A window's class name, asked for once: under Wine every call is a trip to
// the server, and the creation watch looks at every window the thread makes.
struct ClassName {
    wchar_t text[32];
    explicit ClassName(HWND window) {
        if (!window || !GetClassNameW(window, text, 32)) {
            text[0] = 0;
        }
    }
    bool is(const wchar_t* name) const { return lstrcmpiW(text, name) == 0; }
};

bool hasClass(HWND window, const wchar_t* name) {
    return ClassName(window).is(name);
}

bool isRestyledButton(DWORD style) {
    if (style & (BS_ICON | BS_BITMAP)) {
        return false; // image buttons keep their own drawing
    }
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_GROUPBOX:
    case BS_AUTORADIOBUTTON: {
        return true;
    }
    default: {
        return false; // owner-drawn, user, split and command-link buttons
    }
    }
}

// Which restyling `window` gets. Drop-down lists are restyled with their combo
// box, never on their own: a simple combo box's list has the same class.
Kind kindOf(HWND window, DWORD style, HWND parent) {
    ClassName name(window);
    if (name.is(L"Button")) {
        return isRestyledButton(style) ? Kind::Button : Kind::None;
    }
    if (name.is(L"Edit")) {
        // A combo box's edit field lies inside the combo box's own frame.
        return hasClass(parent, L"ComboBox") ? Kind::None : Kind::Edit;
    }
    if (name.is(L"ComboBox")) {
        return (style & 3) == CBS_SIMPLE ? Kind::None : Kind::Combo;
    }
    if (name.is(UPDOWN_CLASSW)) {
        return Kind::UpDown;
    }
    return Kind::None;
}

// A window that is not on screen is painted whole when it is shown, and one
// the creation watch has just caught is not even made yet: only a visible one
// needs the new look drawn now.
void repaint(HWND window) {
    if (!IsWindowVisible(window)) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

HWND dropDownListOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

void restyle(HWND window, Kind kind) {
    if (kind == Kind::None || !window || !subclassApi().set || isRestyled(window)) {
        return;
    }
    auto* restyled = new Restyled{kind, {}};
    if (!subclassApi().set(window, onRestyledMessage, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(restyled))) {
        delete restyled;
        return;
    }
    ++gTheme.restyledCount;
    if (kind == Kind::Combo) {
        restyle(dropDownListOf(window), Kind::ComboList);
    }
    repaint(window);
}

void restore(HWND window) {
    DWORD_PTR data = 0;
    if (!isRestyled(window, &data)) {
        return;
    }
    auto* restyled = reinterpret_cast<Restyled*>(data);
    Kind kind = restyled->kind;
    removeRestyling(window);
    delete restyled;
    --gTheme.restyledCount;
    if (kind == Kind::Combo) {
        restore(dropDownListOf(window));
    }
    repaint(window);
}

BOOL CALLBACK visitWindow(HWND window, LPARAM on) {
    if (on) {
        restyle(window,
                kindOf(window, GetWindowLongW(window, GWL_STYLE), GetAncestor(window, GA_PARENT)));
    } else {
        restore(window);
    }
    return TRUE;
}

BOOL CALLBACK visitTopLevel(HWND window, LPARAM on) {
    visitWindow(window, on);
    EnumChildWindows(window, visitWindow, on); // recurses into grandchildren itself
    return TRUE;
}

void visitThreadWindows(bool on) {
    EnumThreadWindows(GetCurrentThreadId(), visitTopLevel, on);
}

LRESULT CALLBACK onThreadCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        restyle(window, kindOf(window, create->style, create->hwndParent));
    }
    return CallNextHookEx(gTheme.watch, code, wParam, lParam);
}

// --- The subclass procedure ---

// Tracks the mouse entering and leaving; true when the hover state changed.
bool trackHover(HWND window, UINT message, ControlLook& look) {
    if (message == WM_MOUSEMOVE && !look.hot) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        look.hot = true;
        return true;
    }
    if (message == WM_MOUSELEAVE && look.hot) {
        look.hot = false;
        look.hotPart = 0;
        return true;
    }
    return false;
}

// A DC for the client area, ended with the paint.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC get() const { return paint_.hdc; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// An off-screen bitmap the size of a client area, so a control is painted in
// one copy and never flickers.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC target, const RECT& area)
        : dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, area.right, area.bottom)),
          old_(dc_ && bitmap_ ? SelectObject(dc_, bitmap_) : nullptr) {}
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    ~MemoryCanvas() {
        if (old_) {
            SelectObject(dc_, old_);
        }
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    bool ready() const { return old_ != nullptr; }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// Keeps a DC's clipping and other settings for one scope.
class SavedDc {
  public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    ~SavedDc() { RestoreDC(dc_, saved_); }

  private:
    HDC dc_;
    int saved_;
};

void excludeWindow(HDC dc, HWND parent, HWND child) {
    if (!child || child == parent) {
        return;
    }
    RECT area;
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
}

void paintBuffered(HWND window, HDC target, Restyled& restyled) {
    RECT client;
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    MemoryCanvas canvas(target, client);
    if (!canvas.ready()) {
        return;
    }
    HDC dc = canvas.get();
    RECT untouched{};
    HWND field = nullptr;
    switch (restyled.kind) {
    case Kind::Button: {
        untouched = paintButton(window, dc, client, restyled.look);
        break;
    }
    case Kind::UpDown: {
        paintUpDown(window, dc, client, restyled.look);
        break;
    }
    case Kind::Combo: {
        // The combo box draws its own text; only its frame and arrow are ours.
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        callDefault(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                    PRF_CLIENT | PRF_ERASEBKGND);
        paintComboFrame(window, dc, client, restyled.look);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(window, &info)) {
            field = info.hwndItem; // an edit field paints itself
        }
        break;
    }
    default: {
        return;
    }
    }
    SavedDc saved(target);
    if (!IsRectEmpty(&untouched)) {
        ExcludeClipRect(target, untouched.left, untouched.top, untouched.right, untouched.bottom);
    }
    excludeWindow(target, window, field);
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT onPaint(HWND window, UINT message, WPARAM wParam, Restyled& restyled) {
    if (message == WM_PAINT && !wParam) {
        PaintDc paint(window);
        paintBuffered(window, paint.get(), restyled);
    } else {
        paintBuffered(window, reinterpret_cast<HDC>(wParam), restyled);
    }
    return 0;
}

// Lets the control act on `message` without painting itself: buttons draw
// their new state at once, straight to the screen, on these messages. While
// the control is not on screen (a notice's buttons as the notice is built)
// there is nothing to hold back, and the switch of redrawing is skipped.
LRESULT withoutOwnDrawing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool visible = IsWindowVisible(window);
    if (visible) {
        callDefault(window, WM_SETREDRAW, FALSE, 0);
    }
    LRESULT result = callDefault(window, message, wParam, lParam);
    if (visible) {
        callDefault(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, FALSE);
    }
    return result;
}

LRESULT onButtonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        Restyled& restyled) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        return onPaint(window, message, wParam, restyled);
    }
    case WM_ERASEBKGND: {
        return 1;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        if (trackHover(window, message, restyled.look)) {
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE: {
        return withoutOwnDrawing(window, message, wParam, lParam);
    }
    default: {
        break;
    }
    }
    return callDefault(window, message, wParam, lParam);
}

void drawBorder(HWND window, HDC dc, const Restyled& restyled) {
    bool list = restyled.kind == Kind::ComboList;
    paintFrameBorder(window, dc, !list && GetFocus() == window, !list && restyled.look.hot);
}

void drawBorder(HWND window, const Restyled& restyled) {
    HDC dc = GetWindowDC(window);
    if (dc) {
        drawBorder(window, dc, restyled);
        ReleaseDC(window, dc);
    }
}

// Edit boxes and drop-down lists keep their own client drawing; only the
// border in their non-client area is ours.
LRESULT onBorderedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          Restyled& restyled) {
    LRESULT result = callDefault(window, message, wParam, lParam);
    switch (message) {
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_STYLECHANGED: {
        drawBorder(window, restyled);
        break;
    }
    case WM_PRINT: {
        if (lParam & PRF_NONCLIENT) {
            drawBorder(window, reinterpret_cast<HDC>(wParam), restyled);
        }
        break;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        if (trackHover(window, message, restyled.look)) {
            drawBorder(window, restyled);
        }
        break;
    }
    default: {
        break;
    }
    }
    return result;
}

LRESULT onComboMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       Restyled& restyled) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        return onPaint(window, message, wParam, restyled);
    }
    case WM_ERASEBKGND: {
        return 1;
    }
    default: {
        break;
    }
    }
    LRESULT result = callDefault(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: {
        // Created under the watch: the list exists only now.
        restyle(dropDownListOf(window), Kind::ComboList);
        break;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: {
        if (trackHover(window, message, restyled.look)) {
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_COMMAND:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case CB_SHOWDROPDOWN: {
        InvalidateRect(window, nullptr, FALSE);
        break;
    }
    default: {
        break;
    }
    }
    return result;
}

int upDownPartAt(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    bool horizontal = GetWindowLongW(window, GWL_STYLE) & UDS_HORZ;
    int x = static_cast<short>(LOWORD(lParam));
    int y = static_cast<short>(HIWORD(lParam));
    POINT point{x, y};
    if (!PtInRect(&client, point)) {
        return 0;
    }
    return (horizontal ? x * 2 < client.right : y * 2 < client.bottom) ? 1 : 2;
}

LRESULT onUpDownMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        Restyled& restyled) {
    ControlLook& look = restyled.look;
    ControlLook before = look;
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        return onPaint(window, message, wParam, restyled);
    }
    case WM_ERASEBKGND: {
        return 1;
    }
    case WM_MOUSEMOVE: {
        trackHover(window, message, look);
        look.hotPart = upDownPartAt(window, lParam);
        break;
    }
    case WM_MOUSELEAVE: {
        trackHover(window, message, look);
        break;
    }
    case WM_LBUTTONDOWN: {
        look.pressedPart = IsWindowEnabled(window) ? upDownPartAt(window, lParam) : 0;
        break;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        look.pressedPart = 0;
        break;
    }
    case WM_ENABLE: {
        look.pressedPart = 0;
        InvalidateRect(window, nullptr, FALSE);
        break;
    }
    default: {
        break;
    }
    }
    if (look.hotPart != before.hotPart || look.pressedPart != before.pressedPart) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return callDefault(window, message, wParam, lParam);
}

LRESULT CALLBACK onRestyledMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
    auto& restyled = *reinterpret_cast<Restyled*>(data);
    if (message == WM_NCDESTROY) {
        removeRestyling(window);
        delete &restyled;
        --gTheme.restyledCount;
        return callDefault(window, message, wParam, lParam);
    }
    switch (restyled.kind) {
    case Kind::Button: {
        return onButtonMessage(window, message, wParam, lParam, restyled);
    }
    case Kind::Edit:
    case Kind::ComboList: {
        return onBorderedMessage(window, message, wParam, lParam, restyled);
    }
    case Kind::Combo: {
        return onComboMessage(window, message, wParam, lParam, restyled);
    }
    case Kind::UpDown: {
        return onUpDownMessage(window, message, wParam, lParam, restyled);
    }
    default: {
        return callDefault(window, message, wParam, lParam);
    }
    }
}

void switchOff() {
    if (gTheme.watch) {
        UnhookWindowsHookEx(gTheme.watch);
        gTheme.watch = nullptr;
    }
    // At start nothing is restyled yet, and the walk over every window would
    // find nothing to give back.
    if (gTheme.restyledCount > 0) {
        visitThreadWindows(false);
    }
    releaseThemeObjects();
}

void switchOn(int style) {
    useThemePalette(style);
    gTheme.watch = SetWindowsHookExW(WH_CBT, onThreadCbt, nullptr, GetCurrentThreadId());
    visitThreadWindows(true);
}

} // namespace

void setThemeStyle(int style) {
    gTheme.style = style;
    switchOff();
    if (style >= 1 && style <= 3) {
        switchOn(style);
    }
}

int themeStyle() {
    return gTheme.style;
}

bool isControlThemed(HWND control) {
    return isRestyled(control);
}

int themedControlCount() {
    return gTheme.restyledCount;
}
