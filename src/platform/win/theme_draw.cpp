#include "platform/win/theme_draw.h"

#include <commctrl.h>

#include "platform/win/gdi.h"

namespace {

enum Color {
    Face,
    FaceHot,
    FacePressed,
    FaceDisabled,
    Border,
    BorderHot,
    BorderDisabled,
    Ink,
    InkDisabled,
    Accent,
    AccentHot,
    AccentPressed,
    OnAccent,
    Field,
    ColorCount
};

using Palette = COLORREF[ColorCount];

// Style 1 is the program's own: light faces, a blue accent. Style 2 is the
// same drawing in graphite with a cyan accent, style 3 warm with a green one.
const Palette kPalettes[3] = {
    {RGB(253, 253, 253), RGB(229, 241, 251), RGB(204, 228, 247), RGB(244, 244, 244),
     RGB(188, 188, 188), RGB(118, 118, 118), RGB(214, 214, 214), RGB(27, 27, 27),
     RGB(160, 160, 160), RGB(0, 95, 184), RGB(25, 117, 197), RGB(0, 74, 148), RGB(255, 255, 255),
     RGB(255, 255, 255)},
    {RGB(56, 58, 62), RGB(70, 76, 86), RGB(40, 42, 46), RGB(118, 120, 124), RGB(104, 106, 112),
     RGB(48, 50, 54), RGB(156, 156, 160), RGB(242, 242, 242), RGB(170, 170, 170), RGB(0, 150, 200),
     RGB(0, 170, 225), RGB(0, 120, 165), RGB(255, 255, 255), RGB(250, 250, 250)},
    {RGB(252, 250, 244), RGB(230, 243, 233), RGB(206, 231, 212), RGB(242, 240, 235),
     RGB(192, 184, 168), RGB(120, 112, 98), RGB(222, 218, 210), RGB(40, 36, 30), RGB(165, 160, 150),
     RGB(22, 124, 68), RGB(34, 142, 82), RGB(14, 98, 52), RGB(255, 255, 255), RGB(255, 255, 252)},
};

// One brush or pen, deleted with its owner.
class GdiObject {
  public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    HGDIOBJ get() const { return object_; }
    void reset(HGDIOBJ object = nullptr) {
        if (object_) {
            DeleteObject(object_);
        }
        object_ = object;
    }

  private:
    HGDIOBJ object_ = nullptr;
};

// The thread's palette and the brushes and pens made from it, each created the
// first time a paint asks for it and all deleted when theming is switched off.
struct ThemeObjects {
    const COLORREF* palette = kPalettes[0];
    GdiObject brushes[ColorCount];
    GdiObject pens[ColorCount];
};
ThemeObjects gObjects;

HBRUSH brushOf(Color color) {
    GdiObject& brush = gObjects.brushes[color];
    if (!brush.get()) {
        brush.reset(CreateSolidBrush(gObjects.palette[color]));
    }
    return static_cast<HBRUSH>(brush.get());
}

HPEN penOf(Color color) {
    GdiObject& pen = gObjects.pens[color];
    if (!pen.get()) {
        pen.reset(CreatePen(PS_SOLID, 1, gObjects.palette[color]));
    }
    return static_cast<HPEN>(pen.get());
}

void fill(HDC dc, int left, int top, int width, int height, HBRUSH brush) {
    RECT area{left, top, left + width, top + height};
    FillRect(dc, &area, brush);
}

void frame(HDC dc, RECT area, Color color) {
    FrameRect(dc, &area, brushOf(color));
}

// A rectangle with slightly rounded corners, outlined in `edge` and filled with
// `face` (or left unfilled when `face` is ColorCount).
void roundBox(HDC dc, const RECT& area, Color edge, Color face, int radius = 5) {
    Selected pen(dc, penOf(edge));
    Selected brush(dc, face == ColorCount ? GetStockObject(NULL_BRUSH) : brushOf(face));
    RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

RECT inset(RECT area, int by) {
    InflateRect(&area, -by, -by);
    return area;
}

enum class Direction { Up, Down, Left, Right };

// A two-pixel chevron built from pixel blocks, so it stays crisp at any size.
void drawChevron(HDC dc, const RECT& area, Direction direction, HBRUSH brush) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    int arm = (width < height ? width : height) / 4;
    arm = arm < 3 ? 3 : (arm > 5 ? 5 : arm);
    int cx = (area.left + area.right) / 2;
    int cy = (area.top + area.bottom) / 2;
    bool vertical = direction == Direction::Up || direction == Direction::Down;
    for (int row = 0; row < arm; ++row) {
        // Row 0 is the open end of the V, row arm-1 its tip.
        int along = (direction == Direction::Down || direction == Direction::Right) ? row - arm / 2
                                                                                    : arm / 2 - row;
        int first = -arm + row;
        int second = arm - 2 - row;
        if (vertical) {
            fill(dc, cx + first, cy + along, 2, 1, brush);
            fill(dc, cx + second, cy + along, 2, 1, brush);
        } else {
            fill(dc, cx + along, cy + first, 1, 2, brush);
            fill(dc, cx + along, cy + second, 1, 2, brush);
        }
    }
}

COLORREF mix(COLORREF under, COLORREF over, int coverage, int full) {
    auto channel = [&](int shift) {
        int a = (under >> shift) & 0xFF;
        int b = (over >> shift) & 0xFF;
        return static_cast<COLORREF>((a * (full - coverage) + b * coverage) / full) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

// A filled circle with smoothed edges, centred on the square of side `side`
// at `left`, `top`, with a radius of `radius` eighths of a pixel. GDI's own
// ellipses are not anti-aliased and look like octagons at this size.
void drawDisc(HDC dc, int left, int top, int side, int radius, COLORREF color) {
    int centre = side * 4; // in eighths of a pixel, from the square's corner
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            int covered = 0;
            for (int sample = 0; sample < 16; ++sample) {
                int dx = x * 8 + (sample % 4) * 2 + 1 - centre;
                int dy = y * 8 + (sample / 4) * 2 + 1 - centre;
                covered += dx * dx + dy * dy <= radius * radius;
            }
            if (covered) {
                COLORREF under = GetPixel(dc, left + x, top + y);
                SetPixelV(dc, left + x, top + y, mix(under, color, covered, 16));
            }
        }
    }
}

// A check mark inside the square box of side `side` at `left`, `top`.
void drawCheckMark(HDC dc, int left, int top, int side, HBRUSH brush) {
    int shortArm = side / 4 < 2 ? 2 : side / 4;
    int longArm = 2 * shortArm;
    int x = left + (side - shortArm - longArm) / 2;
    int y = top + side / 2 - 1;
    for (int step = 0; step <= shortArm; ++step) {
        fill(dc, x + step, y + step, 1, 2, brush);
    }
    for (int step = 1; step <= longArm; ++step) {
        fill(dc, x + shortArm + step, y + shortArm - step, 1, 2, brush);
    }
}

HFONT fontOf(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// Fills `area` with what the parent paints behind its controls and returns the
// text colour the parent chose for them.
COLORREF fillParentBackground(HWND control, HDC dc, const RECT& area, UINT message) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HWND parent = GetParent(control);
    auto brush =
        parent
            ? reinterpret_cast<HBRUSH>(SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(control)))
            : nullptr;
    if (!brush || brush == GetStockObject(NULL_BRUSH)) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    FillRect(dc, &area, brush);
    return GetTextColor(dc);
}

UINT prefixFlags(HWND control) {
    return (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

struct Caption {
    wchar_t text[256];
    int length;
    explicit Caption(HWND control) : length(GetWindowTextW(control, text, 256)) {}
};

void drawCaption(HDC dc, const Caption& caption, RECT area, UINT flags, COLORREF color) {
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    if (flags & DT_WORDBREAK) {
        // Multi-line texts are centred vertically by hand: DT_VCENTER only
        // works on single lines.
        RECT measured = area;
        DrawTextW(dc, caption.text, caption.length, &measured, flags | DT_CALCRECT);
        int spare = (area.bottom - area.top) - (measured.bottom - measured.top);
        area.top += spare > 0 ? spare / 2 : 0;
    } else {
        flags |= DT_SINGLELINE | DT_VCENTER;
    }
    DrawTextW(dc, caption.text, caption.length, &area, flags);
}

void paintPushButton(HWND control, HDC dc, const RECT& client, const ControlLook& look,
                     bool pressed) {
    LONG style = GetWindowLongW(control, GWL_STYLE);
    bool enabled = IsWindowEnabled(control);
    bool focused = GetFocus() == control;
    bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    fillParentBackground(control, dc, client, WM_CTLCOLORBTN);

    Color face = Face;
    Color edge = Border;
    Color ink = Ink;
    if (!enabled) {
        face = FaceDisabled;
        edge = BorderDisabled;
        ink = InkDisabled;
    } else if (isDefault) {
        face = pressed ? AccentPressed : (look.hot ? AccentHot : Accent);
        edge = face;
        ink = OnAccent;
    } else {
        face = pressed ? FacePressed : (look.hot ? FaceHot : Face);
        edge = (pressed || look.hot || focused) ? Accent : Border;
    }
    roundBox(dc, client, edge, face);
    if (enabled && focused) {
        // Keyboard focus: a second accent ring, or a light one inside an
        // accent-filled default button.
        roundBox(dc, inset(client, isDefault ? 2 : 1), isDefault ? OnAccent : Accent, ColorCount,
                 isDefault ? 3 : 4);
    }
    UINT flags = DT_CENTER | prefixFlags(control) | ((style & BS_MULTILINE) ? DT_WORDBREAK : 0);
    drawCaption(dc, Caption(control), inset(client, 4), flags, gObjects.palette[ink]);
}

// A check box or radio button: its box or circle, then its text.
void paintCheck(HWND control, HDC dc, const RECT& client, const ControlLook& look, bool radio) {
    LONG style = GetWindowLongW(control, GWL_STYLE);
    LRESULT state = SendMessageW(control, BM_GETSTATE, 0, 0);
    bool enabled = IsWindowEnabled(control);
    bool pressed = state & BST_PUSHED;
    UINT check = state & (BST_CHECKED | BST_INDETERMINATE);
    COLORREF textColor = fillParentBackground(control, dc, client, WM_CTLCOLORSTATIC);

    int side = MulDiv(13, GetDeviceCaps(dc, LOGPIXELSY), 96);
    bool boxRight = style & BS_LEFTTEXT;
    int boxLeft = boxRight ? client.right - side : client.left;
    int boxTop = (client.top + client.bottom - side) / 2;
    RECT box{boxLeft, boxTop, boxLeft + side, boxTop + side};

    Color edge = !enabled ? BorderDisabled : ((look.hot || pressed) ? Accent : BorderHot);
    Color face = !enabled ? FaceDisabled : (pressed ? FacePressed : (look.hot ? FaceHot : Field));
    if (check && enabled) {
        face = pressed ? AccentPressed : (look.hot ? AccentHot : Accent);
        edge = face;
    }
    HBRUSH mark = brushOf(enabled ? OnAccent : InkDisabled);
    if (radio) {
        const COLORREF* palette = gObjects.palette;
        drawDisc(dc, box.left, box.top, side, side * 4, palette[edge]);
        drawDisc(dc, box.left, box.top, side, side * 4 - 8, palette[face]);
        if (check) {
            drawDisc(dc, box.left, box.top, side, side * 2 - 4,
                     palette[enabled ? OnAccent : InkDisabled]);
        }
    } else {
        roundBox(dc, box, edge, face, 4);
        if (check & BST_INDETERMINATE) {
            fill(dc, box.left + 3, boxTop + side / 2 - 1, side - 6, 2, mark);
        } else if (check) {
            drawCheckMark(dc, box.left, box.top, side, mark);
        }
    }

    Caption caption(control);
    RECT text = client;
    if (boxRight) {
        text.right = box.left - 5;
    } else {
        text.left = box.right + 5;
    }
    UINT flags = prefixFlags(control) | ((style & BS_MULTILINE) ? DT_WORDBREAK : 0) |
                 (boxRight ? DT_RIGHT : DT_LEFT);
    drawCaption(dc, caption, text, flags, enabled ? textColor : gObjects.palette[InkDisabled]);
    if (GetFocus() == control && caption.length &&
        !(SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT measured = text;
        DrawTextW(dc, caption.text, caption.length, &measured,
                  (flags & ~DT_WORDBREAK) | DT_SINGLELINE | DT_CALCRECT);
        int height = measured.bottom - measured.top;
        measured.top = (text.top + text.bottom - height) / 2;
        measured.bottom = measured.top + height;
        if (boxRight) {
            OffsetRect(&measured, text.right - measured.right, 0);
        }
        InflateRect(&measured, 2, 1);
        IntersectRect(&measured, &measured, &client);
        frame(dc, measured, Accent);
    }
}

// A group box: a rounded frame with its caption set into the top edge. Its
// inside belongs to the controls it groups and is left alone.
RECT paintGroupBox(HWND control, HDC dc, const RECT& client) {
    COLORREF textColor = fillParentBackground(control, dc, client, WM_CTLCOLORSTATIC);
    bool enabled = IsWindowEnabled(control);
    Caption caption(control);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int lineHeight = metrics.tmHeight;
    RECT box = client;
    box.top += lineHeight / 2;
    UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP | prefixFlags(control);
    RECT text{client.left + 9, client.top, client.right - 9, client.top + lineHeight};
    if (caption.length) {
        // The frame's top edge stops short of the caption.
        RECT measured = text;
        DrawTextW(dc, caption.text, caption.length, &measured, flags | DT_CALCRECT);
        ExcludeClipRect(dc, measured.left - 3, client.top, measured.right + 3, text.bottom);
    }
    roundBox(dc, box, enabled ? Border : BorderDisabled, ColorCount, 7);
    SelectClipRgn(dc, nullptr);
    drawCaption(dc, caption, text, flags, enabled ? textColor : gObjects.palette[InkDisabled]);
    return RECT{box.left + 1, client.top + lineHeight, box.right - 1, box.bottom - 1};
}

} // namespace

void useThemePalette(int style) {
    releaseThemeObjects();
    gObjects.palette = kPalettes[(style >= 1 && style <= 3) ? style - 1 : 0];
}

void releaseThemeObjects() {
    for (int color = 0; color < ColorCount; ++color) {
        gObjects.brushes[color].reset();
        gObjects.pens[color].reset();
    }
}

RECT paintButton(HWND control, HDC dc, const RECT& client, const ControlLook& look) {
    Selected font(dc, fontOf(control));
    LONG style = GetWindowLongW(control, GWL_STYLE);
    LRESULT state = SendMessageW(control, BM_GETSTATE, 0, 0);
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX: {
        return paintGroupBox(control, dc, client);
    }
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
        paintPushButton(control, dc, client, look, state & BST_PUSHED);
        break;
    }
    default: {
        bool radio =
            (style & BS_TYPEMASK) == BS_RADIOBUTTON || (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        if (style & BS_PUSHLIKE) {
            // A push-like check box is a push button that stays down when checked.
            paintPushButton(control, dc, client, look, state & (BST_PUSHED | BST_CHECKED));
        } else {
            paintCheck(control, dc, client, look, radio);
        }
        break;
    }
    }
    return RECT{};
}

void paintUpDown(HWND control, HDC dc, const RECT& client, const ControlLook& look) {
    bool horizontal = GetWindowLongW(control, GWL_STYLE) & UDS_HORZ;
    bool enabled = IsWindowEnabled(control);
    RECT halves[2] = {client, client};
    if (horizontal) {
        halves[0].right = halves[1].left = (client.left + client.right) / 2;
    } else {
        halves[0].bottom = halves[1].top = (client.top + client.bottom) / 2;
    }
    for (int part = 1; part <= 2; ++part) {
        RECT& half = halves[part - 1];
        Color face = !enabled
                         ? FaceDisabled
                         : (look.pressedPart == part ? FacePressed
                                                     : (look.hotPart == part ? FaceHot : Face));
        FillRect(dc, &half, brushOf(face));
        Direction direction = horizontal ? (part == 1 ? Direction::Left : Direction::Right)
                                         : (part == 1 ? Direction::Up : Direction::Down);
        Color ink = !enabled ? InkDisabled : (look.pressedPart == part ? Accent : Ink);
        drawChevron(dc, half, direction, brushOf(ink));
    }
    bool active = enabled && (look.hotPart || look.pressedPart);
    frame(dc, client, !enabled ? BorderDisabled : (active ? Accent : Border));
    if (horizontal) {
        fill(dc, halves[1].left, client.top + 2, 1, client.bottom - client.top - 4,
             brushOf(Border));
    } else {
        fill(dc, client.left + 2, halves[1].top, client.right - client.left - 4, 1,
             brushOf(Border));
    }
}

void paintComboFrame(HWND control, HDC dc, const RECT& client, const ControlLook& look) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(control, &info)) {
        return;
    }
    bool enabled = IsWindowEnabled(control);
    HWND focus = GetFocus();
    bool focused = focus && (focus == control || focus == info.hwndItem);
    bool dropped = SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0);
    Color edge = !enabled ? BorderDisabled
                          : ((focused || dropped) ? Accent : (look.hot ? BorderHot : Border));
    HBRUSH field = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE);

    // The combo box's own sunken edge is two pixels wide: a one-pixel border
    // in the theme's colours and a ring of the field's colour replace it.
    frame(dc, client, edge);
    RECT ring = inset(client, 1);
    FrameRect(dc, &ring, field);
    if (focused || dropped) {
        fill(dc, client.left + 1, client.bottom - 2, client.right - client.left - 2, 1,
             brushOf(Accent));
    }
    RECT button = info.rcButton;
    button.top = client.top + 2;
    button.bottom = client.bottom - 2;
    button.right = client.right - 2;
    if (button.right > button.left) {
        HBRUSH face = field;
        if (enabled && dropped) {
            face = brushOf(FacePressed);
        } else if (enabled && look.hot) {
            face = brushOf(FaceHot);
        }
        FillRect(dc, &button, face);
        // The arrow sits on the field, whose colour is the system's, not the theme's.
        drawChevron(dc, button, Direction::Down,
                    enabled ? GetSysColorBrush(COLOR_WINDOWTEXT) : brushOf(InkDisabled));
    }
}

void paintFrameBorder(HWND control, HDC windowDc, bool focused, bool hot) {
    LONG style = GetWindowLongW(control, GWL_STYLE);
    LONG exStyle = GetWindowLongW(control, GWL_EXSTYLE);
    int width = ((style & WS_BORDER) ? 1 : 0) +
                ((exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0);
    if (!width) {
        return;
    }
    RECT window;
    GetWindowRect(control, &window);
    RECT area{0, 0, window.right - window.left, window.bottom - window.top};
    bool enabled = IsWindowEnabled(control);
    bool editable = enabled && !(style & ES_READONLY);
    HBRUSH field = GetSysColorBrush(editable ? COLOR_WINDOW : COLOR_BTNFACE);
    Color edge = !enabled ? BorderDisabled : (focused ? Accent : (hot ? BorderHot : Border));
    frame(windowDc, area, edge);
    for (int ring = 1; ring < width; ++ring) {
        RECT inner = inset(area, ring);
        FrameRect(windowDc, &inner, field);
    }
    if (focused && width > 1) {
        // A second accent line along the bottom, as modern entry fields mark focus.
        fill(windowDc, 1, area.bottom - 2, area.right - 2, 1, brushOf(Accent));
    }
}
