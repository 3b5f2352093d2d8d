// Flat drawing for the restyled controls: a light face with a one-pixel
// border, the accent colour for hover, pressed, focus and the default button.
// Every paint goes through a memory bitmap, so a control never flickers
// between its old and new look.
#include "platform/win/theme_paint.h"

#include <commctrl.h>

namespace {

enum Colour {
    Face,
    FaceHot,
    FacePressed,
    Border,
    BorderHot,
    Ink,
    Field,
    Accent,
    AccentHot,
    AccentPressed,
    AccentInk,
    MutedFace,
    MutedBorder,
    MutedInk,
    ColourCount
};

// Style 1 is the program's own: light, with a clear blue. Style 2 is a dark
// graphite, style 3 warm paper with a green accent.
const COLORREF Palettes[3][ColourCount] = {
    {RGB(253, 253, 253), RGB(229, 241, 251), RGB(204, 228, 247), RGB(173, 173, 173),
     RGB(0, 103, 192), RGB(27, 27, 27), RGB(255, 255, 255), RGB(0, 103, 192), RGB(25, 121, 212),
     RGB(0, 78, 146), RGB(255, 255, 255), RGB(243, 243, 243), RGB(214, 214, 214),
     RGB(160, 160, 160)},
    {RGB(50, 52, 58), RGB(64, 67, 76), RGB(38, 40, 45), RGB(92, 96, 106), RGB(96, 174, 255),
     RGB(240, 240, 242), RGB(36, 38, 43), RGB(76, 160, 255), RGB(110, 180, 255), RGB(52, 130, 225),
     RGB(14, 16, 20), RGB(70, 72, 78), RGB(88, 90, 96), RGB(140, 142, 150)},
    {RGB(250, 247, 240), RGB(232, 243, 228), RGB(208, 230, 201), RGB(190, 180, 160),
     RGB(46, 125, 50), RGB(52, 46, 36), RGB(255, 253, 248), RGB(46, 125, 50), RGB(64, 148, 68),
     RGB(27, 94, 32), RGB(255, 255, 255), RGB(240, 237, 230), RGB(214, 208, 196),
     RGB(165, 158, 145)},
};

constexpr int CornerRadius = 5;

// The brushes and pens of the current style, each made on first use.
struct ThemeCache {
    const COLORREF* palette = Palettes[0];
    HBRUSH brushes[ColourCount] = {};
    HPEN pens[ColourCount] = {};
};

ThemeCache gCache;

HBRUSH brushOf(Colour colour) {
    if (!gCache.brushes[colour]) {
        gCache.brushes[colour] = CreateSolidBrush(gCache.palette[colour]);
    }
    return gCache.brushes[colour];
}

HPEN penOf(Colour colour) {
    if (!gCache.pens[colour]) {
        gCache.pens[colour] = CreatePen(PS_SOLID, 1, gCache.palette[colour]);
    }
    return gCache.pens[colour];
}

// A GDI object selected into a DC for one scope.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (old_) {
            SelectObject(dc_, old_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// The DC state (clipping, origin) saved for one scope.
class SavedDc {
  public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

  private:
    HDC dc_;
    int saved_;
};

// A memory bitmap the size of `size` that is copied to `target` at the end of
// the scope. Without memory for it, paints go straight to the target.
class BufferedDc {
  public:
    BufferedDc(HDC target, SIZE size) : target_(target), size_(size) {
        dc_ = CreateCompatibleDC(target);
        bitmap_ = CreateCompatibleBitmap(target, size.cx, size.cy);
        if (dc_ && bitmap_) {
            old_ = SelectObject(dc_, bitmap_);
        }
    }
    ~BufferedDc() {
        if (old_) {
            BitBlt(target_, 0, 0, size_.cx, size_.cy, dc_, 0, 0, SRCCOPY);
            SelectObject(dc_, old_);
        }
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    BufferedDc(const BufferedDc&) = delete;
    BufferedDc& operator=(const BufferedDc&) = delete;

    HDC dc() const { return old_ ? dc_ : target_; }

  private:
    HDC target_;
    SIZE size_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

RECT clientRect(HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    return rect;
}

void roundBox(HDC dc, const RECT& rect, HBRUSH fill, Colour outline, int radius = CornerRadius) {
    Selection pen(dc, penOf(outline));
    Selection brush(dc, fill);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void roundRing(HDC dc, RECT rect, int inset, Colour colour) {
    InflateRect(&rect, -inset, -inset);
    roundBox(dc, rect, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), colour, CornerRadius - 1);
}

// Fills `rect` with what the parent shows behind the control, as the stock
// controls do, and returns the text colour the parent gives its labels.
COLORREF paintParentBackground(HWND control, HDC dc, const RECT& rect) {
    HWND parent = GetParent(control);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HBRUSH brush = nullptr;
    if (parent) {
        brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(control)));
    }
    FillRect(dc, &rect, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    COLORREF ink = GetTextColor(dc);
    if (parent) {
        // Parents that paint their own background (a notice's button band)
        // paint it here too, shifted so the control's corner is the origin.
        SavedDc saved(dc);
        POINT origin{0, 0};
        MapWindowPoints(control, parent, &origin, 1);
        OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
        SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    return ink;
}

// The control's own text in its own font, honouring its mnemonic. Single-line
// texts are centred vertically, wrapped ones as a block. Returns where the
// text went.
RECT drawControlText(HWND control, HDC dc, RECT rect, UINT format, COLORREF colour) {
    wchar_t text[512];
    int length = GetWindowTextW(control, text, 512);
    RECT drawn{rect.left, rect.top, rect.left, rect.top};
    if (length <= 0) {
        return drawn;
    }
    if (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) {
        format |= DT_HIDEPREFIX;
    }
    if (!(format & DT_WORDBREAK)) {
        format |= DT_SINGLELINE;
    }
    Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT measure = rect;
    DrawTextW(dc, text, length, &measure, format | DT_CALCRECT);
    int width = measure.right - measure.left;
    int height = measure.bottom - measure.top;
    int left = rect.left;
    if (format & DT_CENTER) {
        left += (rect.right - rect.left - width) / 2;
    } else if (format & DT_RIGHT) {
        left = rect.right - width;
    }
    int top = rect.top + (rect.bottom - rect.top - height) / 2;
    drawn = {left, top, left + width, top + height};
    rect.top = top;
    rect.bottom = top + height;
    DrawTextW(dc, text, length, &rect, format);
    return drawn;
}

UINT buttonTextFormat(LONG style, UINT fallback) {
    UINT format = fallback;
    switch (style & BS_CENTER) {
    case BS_LEFT: {
        format = DT_LEFT;
        break;
    }
    case BS_RIGHT: {
        format = DT_RIGHT;
        break;
    }
    case BS_CENTER: {
        format = DT_CENTER;
        break;
    }
    default: {
        break;
    }
    }
    return format | ((style & BS_MULTILINE) ? DT_WORDBREAK : 0);
}

enum Direction { PointUp, PointDown, PointLeft, PointRight };

// A two-pixel chevron centred in `box`.
void drawChevron(HDC dc, const RECT& box, Direction direction, Colour colour) {
    int centreX = (box.left + box.right) / 2;
    int centreY = (box.top + box.bottom) / 2;
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    int size = (width < height ? width : height) / 4;
    size = size < 2 ? 2 : size > 4 ? 4 : size;
    // Drawn for "down" in (along, across) terms, then turned.
    int along[3] = {-size, 0, size + 1};
    int across[3] = {-size / 2, size / 2 + (size & 1), -size / 2 - 1};
    bool flip = direction == PointUp || direction == PointLeft;
    bool sideways = direction == PointLeft || direction == PointRight;
    Selection pen(dc, penOf(colour));
    for (int stroke = 0; stroke < 2; ++stroke) {
        POINT points[3];
        for (int i = 0; i < 3; ++i) {
            int a = along[i];
            int c = (flip ? -across[i] : across[i]) + stroke - (flip ? 1 : 0);
            points[i] =
                sideways ? POINT{centreX + c, centreY + a} : POINT{centreX + a, centreY + c};
        }
        Polyline(dc, points, 3);
    }
}

struct ButtonState {
    bool enabled;
    bool pushed;
    bool focused;
    bool checked;
    bool mixed;
};

ButtonState readButtonState(HWND control) {
    LRESULT state = SendMessageW(control, BM_GETSTATE, 0, 0);
    return {IsWindowEnabled(control) != FALSE, (state & BST_PUSHED) != 0,
            (state & BST_FOCUS) != 0 || GetFocus() == control, (state & BST_CHECKED) != 0,
            (state & BST_INDETERMINATE) != 0};
}

void paintPushButton(HWND control, HDC dc, const ControlLook& look) {
    RECT rect = clientRect(control);
    paintParentBackground(control, dc, rect);
    ButtonState state = readButtonState(control);
    LONG style = GetWindowLongW(control, GWL_STYLE);
    bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    bool down = state.pushed || ((style & BS_PUSHLIKE) && (state.checked || state.mixed));
    Colour face = down ? FacePressed : look.hover ? FaceHot : Face;
    Colour edge = (down || look.hover || state.focused) ? BorderHot : Border;
    Colour ink = Ink;
    if (!state.enabled) {
        face = MutedFace;
        edge = MutedBorder;
        ink = MutedInk;
    } else if (isDefault) {
        face = down ? AccentPressed : look.hover ? AccentHot : Accent;
        edge = down ? AccentPressed : Accent;
        ink = AccentInk;
    }
    roundBox(dc, rect, brushOf(face), edge);
    if (state.enabled && state.focused) {
        // The default button is filled with the accent already: its focus
        // shows as an inner ring in the text colour.
        roundRing(dc, rect, isDefault ? 2 : 1, isDefault ? AccentInk : BorderHot);
    }
    InflateRect(&rect, -6, -3);
    drawControlText(control, dc, rect, buttonTextFormat(style, DT_CENTER), gCache.palette[ink]);
}

void drawCheckMark(HDC dc, const RECT& box, bool mixed, Colour colour) {
    int size = box.right - box.left;
    Selection pen(dc, penOf(colour));
    for (int stroke = 0; stroke < 2; ++stroke) {
        if (mixed) {
            int y = box.top + size / 2 - 1 + stroke;
            MoveToEx(dc, box.left + size / 4, y, nullptr);
            LineTo(dc, box.right - size / 4, y);
            continue;
        }
        POINT points[3] = {
            {box.left + MulDiv(size, 22, 100), box.top + MulDiv(size, 48, 100) + stroke},
            {box.left + MulDiv(size, 42, 100), box.top + MulDiv(size, 68, 100) + stroke},
            {box.left + MulDiv(size, 80, 100), box.top + MulDiv(size, 28, 100) + stroke}};
        Polyline(dc, points, 3);
    }
}

void paintCheckOrRadio(HWND control, HDC dc, bool radio, const ControlLook& look) {
    RECT rect = clientRect(control);
    COLORREF labelInk = paintParentBackground(control, dc, rect);
    ButtonState state = readButtonState(control);
    LONG style = GetWindowLongW(control, GWL_STYLE);
    int size = MulDiv(13, GetDeviceCaps(dc, LOGPIXELSY), 96);
    int top = (rect.top + rect.bottom - size) / 2;
    bool boxOnRight = (style & BS_LEFTTEXT) != 0;
    int left = boxOnRight ? rect.right - size : rect.left;
    RECT box{left, top, left + size, top + size};

    bool marked = state.checked || state.mixed;
    Colour fill = marked ? (state.pushed ? AccentPressed
                            : look.hover ? AccentHot
                                         : Accent)
                         : (state.pushed ? FacePressed
                            : look.hover ? FaceHot
                                         : Field);
    Colour edge = marked ? fill : look.hover || state.pushed ? BorderHot : Ink;
    Colour mark = AccentInk;
    if (!state.enabled) {
        fill = MutedFace;
        edge = MutedBorder;
        mark = MutedInk;
    }
    if (radio) {
        Selection pen(dc, penOf(edge));
        Selection brush(dc, brushOf(fill));
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (marked) {
            RECT dot = box;
            InflateRect(&dot, -size * 3 / 10, -size * 3 / 10);
            Selection dotPen(dc, penOf(mark));
            Selection dotBrush(dc, brushOf(mark));
            Ellipse(dc, dot.left, dot.top, dot.right, dot.bottom);
        }
    } else {
        roundBox(dc, box, brushOf(fill), edge, 3);
        if (marked) {
            drawCheckMark(dc, box, state.mixed && !state.checked, mark);
        }
    }

    RECT textRect = rect;
    if (boxOnRight) {
        textRect.right = box.left - 5;
    } else {
        textRect.left = box.right + 5;
    }
    RECT drawn = drawControlText(control, dc, textRect, buttonTextFormat(style, DT_LEFT),
                                 state.enabled ? labelInk : gCache.palette[MutedInk]);
    if (state.enabled && state.focused && drawn.right > drawn.left) {
        InflateRect(&drawn, 2, 1);
        IntersectRect(&drawn, &drawn, &rect);
        FrameRect(dc, &drawn, brushOf(Accent));
    }
}

// Only the frame and caption: the controls inside a group box are its
// siblings, so its middle must stay untouched.
void paintGroupBox(HWND control, HDC dc) {
    RECT rect = clientRect(control);
    Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame = rect;
    frame.top += metrics.tmHeight / 2;

    SavedDc saved(dc);
    ExcludeClipRect(dc, frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2);
    COLORREF ink = paintParentBackground(control, dc, rect);

    RECT caption{rect.left + 8, rect.top, rect.right - 8, rect.top + metrics.tmHeight};
    RECT drawn = drawControlText(control, dc, caption, DT_LEFT,
                                 IsWindowEnabled(control) ? ink : gCache.palette[MutedInk]);
    if (drawn.right > drawn.left) {
        ExcludeClipRect(dc, drawn.left - 4, drawn.top, drawn.right + 4, drawn.bottom);
    }
    roundBox(dc, frame, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), Border);
}

void paintComboBox(HWND control, HDC dc, const ControlLook& look) {
    RECT rect = clientRect(control);
    paintParentBackground(control, dc, rect);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(control, &info)) {
        info.rcButton = rect;
        info.rcButton.left = rect.right - GetSystemMetrics(SM_CXVSCROLL);
        info.rcItem = rect;
        info.rcItem.right = info.rcButton.left;
    }
    bool enabled = IsWindowEnabled(control) != FALSE;
    bool dropped = SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
    HWND focus = GetFocus();
    bool focused = focus && (focus == control || focus == info.hwndItem);
    bool editable = info.hwndItem && info.hwndItem != control;

    Colour face = !enabled ? MutedFace : dropped ? FacePressed : look.hover ? FaceHot : Face;
    Colour edge = !enabled ? MutedBorder : (focused || dropped || look.hover) ? BorderHot : Border;
    HBRUSH fill = brushOf(face);
    if (editable) {
        // Around its edit box the field shows the edit's own background.
        fill = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(control), enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(info.hwndItem)));
        if (!fill) {
            fill = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE);
        }
    }
    roundBox(dc, rect, fill, edge);
    if (focused && enabled) {
        roundRing(dc, rect, 1, BorderHot);
    }
    if (editable) {
        RECT button = info.rcButton;
        button.top = rect.top + 2;
        button.bottom = rect.bottom - 2;
        button.right = rect.right - 2;
        FillRect(dc, &button, brushOf(face));
    } else {
        RECT text = info.rcItem;
        text.left = rect.left + 6;
        drawControlText(control, dc, text, DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS,
                        gCache.palette[enabled ? Ink : MutedInk]);
    }
    drawChevron(dc, info.rcButton, PointDown, enabled ? Ink : MutedInk);
}

void upDownHalves(HWND control, RECT* up, RECT* down) {
    RECT rect = clientRect(control);
    *up = rect;
    *down = rect;
    if (GetWindowLongW(control, GWL_STYLE) & UDS_HORZ) {
        int middle = (rect.left + rect.right) / 2;
        down->right = middle + 1;
        up->left = middle;
    } else {
        int middle = (rect.top + rect.bottom) / 2;
        up->bottom = middle + 1;
        down->top = middle;
    }
}

void paintUpDown(HWND control, HDC dc, const ControlLook& look) {
    RECT rect = clientRect(control);
    paintParentBackground(control, dc, rect);
    RECT halves[2];
    upDownHalves(control, &halves[0], &halves[1]);
    bool enabled = IsWindowEnabled(control) != FALSE;
    bool horizontal = (GetWindowLongW(control, GWL_STYLE) & UDS_HORZ) != 0;
    const int parts[2] = {UpPart, DownPart};
    for (int i = 0; i < 2; ++i) {
        bool pressed = look.pressedPart == parts[i];
        bool hot = look.hotPart == parts[i];
        Colour face = !enabled ? MutedFace : pressed ? FacePressed : hot ? FaceHot : Face;
        Colour edge = !enabled ? MutedBorder : (pressed || hot) ? BorderHot : Border;
        roundBox(dc, halves[i], brushOf(face), edge, 3);
    }
    // Drawn after both halves so a hot half's border is not covered.
    for (int i = 0; i < 2; ++i) {
        Direction direction =
            horizontal ? (i == 0 ? PointRight : PointLeft) : (i == 0 ? PointUp : PointDown);
        drawChevron(dc, halves[i], direction, enabled ? Ink : MutedInk);
    }
}

} // namespace

void selectThemePalette(int style) {
    if (style < 1 || style > 3) {
        style = 1;
    }
    if (gCache.palette != Palettes[style - 1]) {
        releaseThemeCache();
        gCache.palette = Palettes[style - 1];
    }
}

void releaseThemeCache() {
    for (int i = 0; i < ColourCount; ++i) {
        if (gCache.brushes[i]) {
            DeleteObject(gCache.brushes[i]);
            gCache.brushes[i] = nullptr;
        }
        if (gCache.pens[i]) {
            DeleteObject(gCache.pens[i]);
            gCache.pens[i] = nullptr;
        }
    }
}

void paintControl(HWND control, HDC dc, ControlKind kind, const ControlLook& look) {
    if (kind == ControlKind::GroupBox) {
        paintGroupBox(control, dc);
        return;
    }
    RECT rect = clientRect(control);
    BufferedDc buffer(dc, SIZE{rect.right, rect.bottom});
    switch (kind) {
    case ControlKind::PushButton: {
        paintPushButton(control, buffer.dc(), look);
        break;
    }
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
        paintCheckOrRadio(control, buffer.dc(), kind == ControlKind::RadioButton, look);
        break;
    }
    case ControlKind::ComboBox: {
        paintComboBox(control, buffer.dc(), look);
        break;
    }
    case ControlKind::UpDown: {
        paintUpDown(control, buffer.dc(), look);
        break;
    }
    default: {
        break;
    }
    }
}

void paintControlFrame(HWND control, HDC windowDc, ControlKind kind, const ControlLook& look) {
    RECT window{};
    GetWindowRect(control, &window);
    POINT client{0, 0};
    ClientToScreen(control, &client);
    int thickness = client.y - window.top;
    if (thickness <= 0) {
        return;
    }
    RECT ring{0, 0, window.right - window.left, window.bottom - window.top};
    bool enabled = IsWindowEnabled(control) != FALSE;
    bool focused = GetFocus() == control;
    Colour edge = !enabled                                                  ? MutedBorder
                  : focused || kind == ControlKind::ComboList || look.hover ? BorderHot
                                                                            : Border;
    FrameRect(windowDc, &ring, brushOf(edge));
    if (thickness < 2) {
        return;
    }
    // The rest of the border: a second accent line while focused, else the
    // edit's own background so the box reads as one flat field.
    InflateRect(&ring, -1, -1);
    HBRUSH inner = brushOf(BorderHot);
    if (!focused || !enabled) {
        bool editable = enabled && !(GetWindowLongW(control, GWL_STYLE) & ES_READONLY);
        inner = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(control), editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                         reinterpret_cast<WPARAM>(windowDc), reinterpret_cast<LPARAM>(control)));
        if (!inner) {
            inner = GetSysColorBrush(editable ? COLOR_WINDOW : COLOR_BTNFACE);
        }
    }
    for (int i = 1; i < thickness; ++i) {
        FrameRect(windowDc, &ring, inner);
        InflateRect(&ring, -1, -1);
    }
}

int upDownPartAt(HWND control, POINT point) {
    RECT up;
    RECT down;
    upDownHalves(control, &up, &down);
    if (PtInRect(&up, point)) {
        return UpPart;
    }
    return PtInRect(&down, point) ? DownPart : NoPart;
}
