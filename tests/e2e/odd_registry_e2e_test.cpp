// The real Pixmora.exe started on a game key in states the game or other
// tools may leave behind: the Video key gone from under its parent, values of
// the wrong type or size, all bits set. The window must show what such values
// read as, and the next apply must leave two proper REG_DWORDs.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "driver.h"

using namespace e2e;

namespace {

bool seedBytes(const wchar_t* name, DWORD type, std::vector<BYTE> bytes) {
    return seedGameValue(name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

struct OddState {
    const char* what;
    std::function<bool()> seed;
    const wchar_t* shownAtStart;
};

const std::vector<BYTE> AllOnes = {0xFF, 0xFF, 0xFF, 0xFF};

const OddState oddStates[] = {
    {"the Video key missing under its parent",
     [] { return seedRawValue(GameKeyPath, L"InstallPath", stringValue(L"C:\\Games\\War3")); },
     nullptr}, // the not-detected text
    {"reswidth as REG_BINARY",
     [] {
         return seedGameDword(L"resheight", 768) &&
                seedBytes(L"reswidth", REG_BINARY, {0x00, 0x04, 0x00, 0x00});
     },
     L"0*768"},
    {"resheight as REG_QWORD",
     [] {
         return seedBytes(L"resheight", REG_QWORD, {0x38, 0x04, 0, 0, 0, 0, 0, 0}) &&
                seedGameDword(L"reswidth", 1920);
     },
     L"1920*0"},
    {"resheight as a REG_DWORD of all ones",
     [] { return seedGameDword(L"resheight", 0xFFFFFFFF) && seedGameDword(L"reswidth", 1024); },
     L"1024*-1"},
    {"both as REG_DWORD of all ones",
     [] {
         return seedBytes(L"resheight", REG_DWORD, AllOnes) &&
                seedBytes(L"reswidth", REG_DWORD, AllOnes);
     },
     L"-1*-1"},
    {"both as four binary bytes of all ones",
     [] {
         return seedBytes(L"resheight", REG_BINARY, AllOnes) &&
                seedBytes(L"reswidth", REG_BINARY, AllOnes);
     },
     L"0*0"},
    {"REG_DWORDs of the wrong size",
     [] {
         return seedBytes(L"resheight", REG_DWORD, {0x00, 0x03}) &&
                seedBytes(L"reswidth", REG_DWORD, {0x00, 0x04, 0, 0, 0, 0, 0, 0});
     },
     L"0*0"},
};

TEST(OddRegistryE2E, StartShowsWhatTheValuesReadAsAndTheNextApplyMendsThem) {
    ASSERT_TRUE(inThrowawayPrefix()) << "run through scripts/test.sh or scripts/wine-env.sh";
    const std::wstring notDetected = fromGbk("未检测到注册表项");
    for (const OddState& state : oddStates) {
        SCOPED_TRACE(state.what);
        ASSERT_TRUE(deleteGameKey());
        const wchar_t gamma[] = L"1.25";
        ASSERT_TRUE(state.seed());
        bool hadVideoKey = keyExists(VideoKeyPath);
        if (hadVideoKey) {
            ASSERT_TRUE(seedGameValue(L"gamma", REG_SZ, gamma, sizeof(gamma)));
        }

        PixmoraProcess app;
        ASSERT_TRUE(app.start()) << "Pixmora's window did not appear";
        HWND label = app.control(ControlId::标签2);
        EXPECT_EQ(windowText(label), state.shownAtStart ? state.shownAtStart : notDetected);

        MessageBoxContents notice;
        ASSERT_TRUE(clickForNotice(app, app.control(ControlId::按钮4), &notice));
        EXPECT_EQ(notice.title, fromGbk("设置成功！"));
        EXPECT_EQ(notice.text, fromGbk("当前的分辨率为") + L"1440*1050");
        EXPECT_EQ(gameValueType(L"resheight"), static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(gameValueType(L"reswidth"), static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(readGameValue(L"resheight"), 1050u);
        EXPECT_EQ(readGameValue(L"reswidth"), 1440u);
        EXPECT_EQ(windowText(label), L"1440*1050");
        if (hadVideoKey) {
            wchar_t text[16] = {};
            DWORD size = sizeof(text);
            EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, VideoKeyPath, L"gamma", RRF_RT_REG_SZ,
                                   nullptr, text, &size),
                      ERROR_SUCCESS);
            EXPECT_STREQ(text, gamma);
        } else {
            EXPECT_EQ(readRawValue(GameKeyPath, L"InstallPath"), stringValue(L"C:\\Games\\War3"));
        }
        EXPECT_TRUE(app.isRunning());
    }
    ASSERT_TRUE(deleteGameKey());
}

} // namespace
