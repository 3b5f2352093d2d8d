// The real Pixmora.exe fed junk through its two edit boxes: texts as long as
// the boxes take, full-width and other Chinese text, blanks and numbers far
// too long for 32 bits. Each entry must bring the right notice, leave the
// registry as that notice says, and leave the program running and answering.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"

using namespace e2e;

namespace {

const std::wstring SuccessTitle = fromGbk("设置成功！");
const std::wstring RefusalTitle = fromGbk("输入错误！");
const std::wstring RefusalText = fromGbk("您的设置有误！");

std::wstring resolutionNotice(const std::wstring& resolution) {
    return fromGbk("当前的分辨率为") + resolution;
}

// Junk a player could paste: ASCII punctuation and letters, full-width
// letters, ideographs, the euro sign (a single byte in GBK), a character GBK
// lacks, and a surrogate pair.
const std::wstring Junk = L"x!@#$%^&()_=[]{};:'\",.<>/?\\|`~abcXYZ"
                          L"\xFF41\xFF42\x4E00\x5343\x20AC\x00E9\x0E01\xD83D\xDE00";

// `prefix` followed by junk, `length` UTF-16 units in all.
std::wstring filledWithJunk(const std::wstring& prefix, size_t length) {
    std::wstring text = prefix;
    while (text.size() < length) {
        text += Junk;
    }
    text.resize(length);
    // Never end on half a surrogate pair: the box would hold something else.
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) {
        text.back() = L'z';
    }
    return text;
}

// The first time Wine draws characters its fonts lack, it searches every font
// on the system for them, which keeps the program's thread busy for seconds.
bool waitUntilAnswering(HWND window) {
    return waitUntil(
        [window] {
            DWORD_PTR ignored = 0;
            return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) !=
                   0;
        },
        30000);
}

// A control's text, waiting as long as such drawing may take.
std::wstring patientText(HWND window) {
    waitUntilAnswering(window);
    return windowText(window);
}

size_t textLimit(HWND edit) {
    DWORD_PTR limit = 0;
    SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit);
    return limit;
}

class HostileInputE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(inThrowawayPrefix()) << "run through scripts/test.sh or scripts/wine-env.sh";
        ASSERT_TRUE(deleteGameKey());
        ASSERT_TRUE(seedGameDword(L"resheight", 600));
        ASSERT_TRUE(seedGameDword(L"reswidth", 800));
        ASSERT_TRUE(app.start()) << "Pixmora's window did not appear";
        width = app.control(ControlId::编辑框_宽);
        height = app.control(ControlId::编辑框_高);
    }

    MessageBoxContents applyCustom() {
        MessageBoxContents notice;
        EXPECT_TRUE(waitUntilAnswering(app.window()));
        EXPECT_TRUE(clickForNotice(app, app.control(ControlId::按钮_设置), &notice))
            << "no notice came, or it did not close";
        return notice;
    }

    // A quick-set click still writes and confirms: the program is alive and
    // its message loop is taking clicks. Leaves the registry at 1024*768.
    void expectStillAnswering() {
        ASSERT_TRUE(app.isRunning()) << "the program has ended";
        MessageBoxContents notice;
        ASSERT_TRUE(clickForNotice(app, app.control(ControlId::按钮2), &notice));
        EXPECT_EQ(notice.title, SuccessTitle);
        EXPECT_EQ(notice.text, resolutionNotice(L"1024*768"));
        EXPECT_EQ(readGameValue(L"resheight"), 768u);
        EXPECT_EQ(readGameValue(L"reswidth"), 1024u);
    }

    // Enters the two texts, presses 设置 and checks the answer: accepted with
    // `shown` as the resolution written, or refused when `shown` is empty.
    void expectAnswer(const std::wstring& widthText, const std::wstring& heightText,
                      const std::wstring& shown, DWORD writtenWidth = 0, DWORD writtenHeight = 0) {
        expectStillAnswering();
        setEditText(width, widthText);
        setEditText(height, heightText);
        ASSERT_TRUE(waitUntilAnswering(height));
        ASSERT_EQ(patientText(width), widthText) << "the box did not take the whole text";
        ASSERT_EQ(patientText(height), heightText) << "the box did not take the whole text";
        MessageBoxContents notice = applyCustom();
        if (shown.empty()) {
            EXPECT_EQ(notice.title, RefusalTitle);
            EXPECT_EQ(notice.text, RefusalText);
            EXPECT_EQ(readGameValue(L"resheight"), 768u) << "a refused entry wrote";
            EXPECT_EQ(readGameValue(L"reswidth"), 1024u) << "a refused entry wrote";
            EXPECT_EQ(windowText(app.control(ControlId::标签2)), L"1024*768");
            EXPECT_EQ(patientText(width), widthText) << "a refusal changed the box";
            EXPECT_EQ(patientText(height), heightText) << "a refusal changed the box";
        } else {
            EXPECT_EQ(notice.title, SuccessTitle);
            EXPECT_EQ(notice.text, resolutionNotice(shown));
            EXPECT_EQ(readGameValue(L"resheight"), writtenHeight);
            EXPECT_EQ(readGameValue(L"reswidth"), writtenWidth);
            EXPECT_EQ(windowText(app.control(ControlId::标签2)), shown);
        }
        expectStillAnswering();
    }

    PixmoraProcess app;
    HWND width = nullptr;
    HWND height = nullptr;
};

TEST_F(HostileInputE2E, TypingStopsAtTheBoxesLimit) {
    for (HWND box : {width, height}) {
        size_t limit = textLimit(box);
        ASSERT_GT(limit, 0u);
        // Under Wine each key typed into a box this full takes about half a
        // second, so the box is filled to just below its limit and the last
        // stretch is typed at the end of the text, with more than fits.
        setEditText(box, std::wstring(limit - 8, L'#'));
        pressKey(box, VK_END);
        typeChars(box, L"0123456789abcdef");
        EXPECT_TRUE(waitUntil([&] { return patientText(box).size() == limit; }, 30000))
            << "the box holds " << patientText(box).size() << " of " << limit;
        Sleep(200);
        std::wstring text = patientText(box);
        ASSERT_EQ(text.size(), limit) << "typing went past the limit";
        EXPECT_EQ(text.substr(limit - 8), L"01234567");
    }
    MessageBoxContents notice = applyCustom();
    EXPECT_EQ(notice.title, RefusalTitle);
    EXPECT_EQ(notice.text, RefusalText);
    EXPECT_EQ(readGameValue(L"resheight"), 600u);
    EXPECT_EQ(readGameValue(L"reswidth"), 800u);
    expectStillAnswering();
}

TEST_F(HostileInputE2E, BoxesFilledToTheLimit) {
    size_t limit = textLimit(width);
    ASSERT_EQ(textLimit(height), limit);
    struct Case {
        const char* what;
        std::wstring width;
        std::wstring height;
        std::wstring shown; // empty: refused
        DWORD writtenWidth;
        DWORD writtenHeight;
    };
    const Case cases[] = {
        {"junk only", filledWithJunk(L"", limit), filledWithJunk(L"", limit), L"", 0, 0},
        {"a number, then junk to the limit", filledWithJunk(L"1920", limit),
         filledWithJunk(L"\xFF11\xFF10\xFF18\xFF10", limit), L"1920*1080", 1920, 1080},
        {"junk before the number", filledWithJunk(L"", limit - 4) + L"1920",
         filledWithJunk(L"1080", limit), L"", 0, 0},
        // Far too long to hold: refused.
        {"nines to the limit", std::wstring(limit, L'9'), L"900", L"", 0, 0},
        {"spaces to the limit", std::wstring(limit, L' '), std::wstring(limit, L' '), L"", 0, 0},
        {"spaces to the limit, then a number", std::wstring(limit - 4, L' ') + L"1600",
         std::wstring(limit - 3, L'\x3000') + L"900", L"1600*900", 1600, 900},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.what);
        expectAnswer(entry.width, entry.height, entry.shown, entry.writtenWidth,
                     entry.writtenHeight);
    }
}

TEST_F(HostileInputE2E, ChineseBlankAndOverlongEntries) {
    struct Case {
        const char* what;
        const wchar_t* width;
        const wchar_t* height;
        const wchar_t* shown; // empty: refused
        DWORD writtenWidth;
        DWORD writtenHeight;
    };
    // A number too long for 32 bits is refused whatever it would wrap to:
    // 99999999999999999999 would be stored as 1661992959 and
    // 18446744069414584321 as 1, neither what was typed.
    const Case cases[] = {
        {"full-width digits", L"\xFF11\xFF19\xFF12\xFF10", L"\xFF11\xFF10\xFF18\xFF10",
         L"1920*1080", 1920, 1080},
        {"full-width x between", L"\xFF11\xFF16\xFF10\xFF10\xFF58\xFF19\xFF10\xFF10",
         L"\x3000\xFF19\xFF10\xFF10\xFF50\xFF58", L"1600*900", 1600, 900},
        {"full-width plus", L"\xFF0B\xFF11\xFF13\xFF16\xFF16", L"\xFF0B\xFF17\xFF16\xFF18",
         L"1366*768", 1366, 768},
        {"full-width minus", L"\xFF0D\xFF15", L"768", L"", 0, 0},
        {"ideographs for numbers", L"\x4E00\x5343\x4E5D\x767E\x4E8C\x5341", L"\x4E00\x5343", L"", 0,
         0},
        {"digits in ideographs' company", L"1280\x50CF\x7D20", L"1024\x884C", L"1280*1024", 1280,
         1024},
        {"an ideograph before the digits",
         L"\x5BBD"
         L"1280",
         L"1024", L"", 0, 0},
        {"the euro sign, one GBK byte, at the end", L"1440\x20AC", L"1050\x20AC", L"1440*1050",
         1440, 1050},
        {"a character GBK lacks before the digits",
         L"\x0E01"
         L"1920",
         L"1080", L"", 0, 0},
        {"only spaces", L"     ", L"   ", L"", 0, 0},
        {"only ideographic spaces", L"\x3000\x3000", L"\x3000", L"", 0, 0},
        {"spaces around a number", L"  1920  ", L"\x3000 1080 ", L"1920*1080", 1920, 1080},
        {"twenty nines", L"99999999999999999999", L"1080", L"", 0, 0},
        {"twenty digits wrapping below zero", L"1920", L"12345678901234567890", L"", 0, 0},
        {"two to the sixty-fourth", L"18446744073709551616", L"1080", L"", 0, 0},
        {"twenty digits wrapping to one", L"18446744069414584321", L"1", L"", 0, 0},
        {"twenty digits with leading zeros", L"00000000000000001920",
         L"\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10\xFF10"
         L"\xFF10\xFF10\xFF10\xFF11\xFF10\xFF18\xFF10",
         L"1920*1080", 1920, 1080},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.what);
        expectAnswer(entry.width, entry.height, entry.shown, entry.writtenWidth,
                     entry.writtenHeight);
    }
}

TEST_F(HostileInputE2E, TypedFullWidthTextIsReadAsTyped) {
    // Typed key by key, as an input method delivers it, rather than set.
    setEditText(width, L"");
    setEditText(height, L"");
    typeChars(width, L"\xFF11\xFF12\xFF18\xFF10\xFF4E\xFF58");
    typeChars(height, L"\x3000\xFF11\xFF10\xFF12\xFF14\x884C");
    ASSERT_TRUE(waitUntil([&] { return patientText(height).size() == 6; }));
    MessageBoxContents notice = applyCustom();
    EXPECT_EQ(notice.title, SuccessTitle);
    EXPECT_EQ(notice.text, resolutionNotice(L"1280*1024"));
    EXPECT_EQ(readGameValue(L"resheight"), 1024u);
    EXPECT_EQ(readGameValue(L"reswidth"), 1280u);
    expectStillAnswering();
}

} // namespace
