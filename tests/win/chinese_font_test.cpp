// Chinese texts in a prefix whose fonts have no Chinese: a font without the
// glyphs gets a stand-in of the same size that has them, and a message box
// given such a font grows so its text is not cut off.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/chinese_font.h"
#include "thread_dialog.h"

namespace {

const wchar_t* const Notice = L"写入注册表失败！\r\n当前的分辨率为1920*1080";

class OwnedFont {
  public:
    explicit OwnedFont(HFONT font) : font_(font) {}
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    ~OwnedFont() { DeleteObject(font_); }
    HFONT get() const { return font_; }

  private:
    HFONT font_;
};

HFONT makeFont(LONG height, LONG weight, BYTE charset, const wchar_t* face) {
    LOGFONTW look = {};
    look.lfHeight = height;
    look.lfWeight = weight;
    look.lfCharSet = charset;
    lstrcpynW(look.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&look);
}

LOGFONTW lookOf(HFONT font) {
    LOGFONTW look = {};
    GetObjectW(font, sizeof(look), &look);
    return look;
}

TEST(ChineseFont, FontThatDrawsChineseIsKeptAsItIs) {
    OwnedFont chinese(makeFont(-12, FW_NORMAL, GB2312_CHARSET, L""));
    ASSERT_TRUE(fontDrawsText(chinese.get(), L"未检测到注册表项"));
    EXPECT_EQ(chineseCapableFont(chinese.get()), chinese.get());
}

TEST(ChineseFont, LatinOnlyFontGetsOneStandInOfTheSameSizeThatDrawsChinese) {
    OwnedFont latin(makeFont(-15, FW_BOLD, ANSI_CHARSET, L"DejaVu Sans"));
    if (fontDrawsText(latin.get(), L"分辨率")) {
        GTEST_SKIP() << "this prefix maps even DejaVu Sans to a Chinese font";
    }
    EXPECT_TRUE(fontDrawsText(latin.get(), L"1920*1080"));

    HFONT standIn = chineseCapableFont(latin.get());
    ASSERT_NE(standIn, latin.get());
    EXPECT_TRUE(fontDrawsText(standIn, Notice));
    EXPECT_EQ(lookOf(standIn).lfHeight, -15);
    EXPECT_EQ(lookOf(standIn).lfWeight, FW_BOLD);
    // Asked again, the same stand-in: none is made per window or per notice.
    EXPECT_EQ(chineseCapableFont(latin.get()), standIn);
}

// --- A message box given a larger font ---

struct BoxLayout {
    bool found = false;
    RECT client{};
    RECT text{};
    RECT ok{};
    SIZE needed{};
};
BoxLayout gLayout;
HFONT gLargeFont = nullptr;

RECT rectInBox(HWND box, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CALLBACK refontOpenBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND box = findThreadDialog();
    if (!box) {
        return;
    }
    refontMessageBox(box, gLargeFont);
    HWND text = GetDlgItem(box, 0xFFFF);
    gLayout.found = text != nullptr;
    GetClientRect(box, &gLayout.client);
    gLayout.text = rectInBox(box, text);
    gLayout.ok = rectInBox(box, GetDlgItem(box, IDOK));
    HDC dc = GetDC(text);
    HGDIOBJ previous = SelectObject(dc, gLargeFont);
    RECT needed = {0, 0, 0, 0};
    DrawTextW(dc, Notice, -1, &needed, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(text, dc);
    gLayout.needed = {needed.right, needed.bottom};
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(ChineseFont, MessageBoxGivenALargerFontGrowsToFitItsText) {
    OwnedFont large(makeFont(-36, FW_NORMAL, GB2312_CHARSET, L""));
    gLargeFont = large.get();
    gLayout = BoxLayout{};
    SetTimer(nullptr, 0, 300, refontOpenBox);
    MessageBoxW(nullptr, Notice, L"设置失败！", MB_OK | MB_TASKMODAL);
    ASSERT_TRUE(gLayout.found);

    EXPECT_GE(gLayout.text.right - gLayout.text.left, gLayout.needed.cx);
    EXPECT_GE(gLayout.text.bottom - gLayout.text.top, gLayout.needed.cy);
    // The text stays inside the box, and OK below the text, inside the box.
    EXPECT_LE(gLayout.text.right, gLayout.client.right);
    EXPECT_GE(gLayout.ok.top, gLayout.text.bottom);
    EXPECT_LE(gLayout.ok.bottom, gLayout.client.bottom);
    EXPECT_GE(gLayout.ok.left, gLayout.client.left);
    EXPECT_LE(gLayout.ok.right, gLayout.client.right);
}

} // namespace
