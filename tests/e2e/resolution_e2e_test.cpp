// The real Pixmora.exe showing and setting the game's resolution, worked from
// outside: what 标签2 and 标签4 show at start, what every button writes into
// the game's key, the notices it answers with, and what it leaves alone.
// Tests named ...At1366x768 run on a 1366x768 screen, all others on 1920x1080.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"

using namespace e2e;

namespace {

// Sets a key's access list: with `allowed` everyone gets only those rights,
// without it (a null list) everyone may do everything again.
bool setKeyAccess(const wchar_t* keyPath, std::optional<DWORD> allowed) {
    if (!inThrowawayPrefix()) {
        return false;
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        return false;
    }
    std::vector<BYTE> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
    PACL acl = reinterpret_cast<PACL>(aclBytes.data());
    bool built = InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION) &&
                 (!allowed || AddAccessAllowedAce(acl, ACL_REVISION, *allowed, everyone));
    FreeSid(everyone);
    SECURITY_DESCRIPTOR descriptor;
    if (!built || !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, allowed ? acl : nullptr, FALSE)) {
        return false;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// Whether this system refuses a write the key's access list forbids; Wine
// may not.
bool keyAccessIsEnforced(const wchar_t* keyPath) {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_WRITE, &key);
    if (status == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    return status == ERROR_ACCESS_DENIED;
}

// ---- what the player sees ------------------------------------------------

std::wstring resolutionText(int width, int height) {
    return std::to_wstring(width) + L"*" + std::to_wstring(height);
}

std::wstring currentResolution(int width, int height) {
    return fromGbk("当前的分辨率为") + resolutionText(width, height);
}

const std::wstring& notDetected() {
    static const std::wstring text = fromGbk("未检测到注册表项");
    return text;
}

const std::wstring& successTitle() {
    static const std::wstring text = fromGbk("设置成功！");
    return text;
}

class ResolutionE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(inThrowawayPrefix()) << "run through scripts/test.sh or scripts/wine-env.sh";
        ASSERT_TRUE(deleteGameKey());
    }

    void TearDown() override {
        app.kill();
        // A test may have locked the Video key; open it again to remove it.
        setKeyAccess(VideoKeyPath, std::nullopt);
        deleteGameKey();
    }

    void startApp() { ASSERT_TRUE(app.start()) << "Pixmora's window did not appear"; }

    std::wstring label(ControlId id) const { return windowText(app.control(id)); }

    // Clicks `button` and gives the notice it opened, closed again so the
    // next click reaches the window; nothing when no notice came and went.
    std::optional<MessageBoxContents> noticeAfterClick(ControlId button) {
        MessageBoxContents notice;
        if (!clickForNotice(app, app.control(button), &notice)) {
            return std::nullopt;
        }
        return notice;
    }

    // Clicks `button` and expects the success notice for width*height, both
    // values stored as REG_DWORD and 标签2 showing what was stored.
    void expectApplied(ControlId button, int width, int height) {
        std::optional<MessageBoxContents> notice = noticeAfterClick(button);
        ASSERT_TRUE(notice) << "no notice after the click";
        EXPECT_EQ(notice->title, successTitle());
        EXPECT_EQ(notice->text, currentResolution(width, height));
        EXPECT_EQ(readGameValue(L"resheight"), std::optional<DWORD>(static_cast<DWORD>(height)));
        EXPECT_EQ(readGameValue(L"reswidth"), std::optional<DWORD>(static_cast<DWORD>(width)));
        EXPECT_EQ(label(ControlId::标签2), resolutionText(width, height));
    }

    // 按钮1 writes the screen's resolution, which 标签4 shows.
    void expectDesktopButtonWrites(int width, int height) {
        ASSERT_NO_FATAL_FAILURE(startApp());
        ASSERT_EQ(label(ControlId::标签4), resolutionText(width, height));
        ASSERT_EQ(label(ControlId::标签2), notDetected());
        expectApplied(ControlId::按钮1, width, height);
        EXPECT_EQ(label(ControlId::标签4), resolutionText(width, height));
    }

    PixmoraProcess app;
};

// ---- start-up display ------------------------------------------------------

TEST_F(ResolutionE2E, StartShowsTheStoredAndTheDesktopResolution) {
    struct Case {
        const char* name;
        std::vector<std::pair<const wchar_t*, RawValue>> seeded;
        std::wstring shown;
    };
    const Case cases[] = {
        {"no key", {}, notDetected()},
        {"both values",
         {{L"resheight", dwordValue(768)}, {L"reswidth", dwordValue(1024)}},
         L"1024*768"},
        {"height only", {{L"resheight", dwordValue(768)}}, L"0*768"},
        // The height exists but is text, so it reads as 0.
        {"height as text",
         {{L"resheight", stringValue(L"768")}, {L"reswidth", dwordValue(1024)}},
         L"1024*0"},
        {"width only", {{L"reswidth", dwordValue(1024)}}, notDetected()},
        // The stored pattern is a signed number.
        {"negative width",
         {{L"resheight", dwordValue(768)}, {L"reswidth", dwordValue(0xFFFFFFFBu)}},
         L"-5*768"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(deleteGameKey());
        for (const auto& [name, value] : c.seeded) {
            ASSERT_TRUE(seedRawValue(VideoKeyPath, name, value));
        }
        ASSERT_NO_FATAL_FAILURE(startApp());
        EXPECT_EQ(label(ControlId::标签2), c.shown);
        EXPECT_EQ(label(ControlId::标签4), L"1920*1080");
        // Showing reads only: what was there is there still, and nothing
        // was created.
        for (const auto& [name, value] : c.seeded) {
            EXPECT_EQ(readRawValue(VideoKeyPath, name), value);
        }
        EXPECT_EQ(gameKeyExists(), !c.seeded.empty());
        app.kill();
    }
}

// ---- quick-set buttons -----------------------------------------------------

TEST_F(ResolutionE2E, EachQuickSetButtonWritesTheResolutionOfItsRow) {
    struct Row {
        ControlId button;
        ControlId rowLabel;
        int width;
        int height;
    };
    const Row rows[] = {
        {ControlId::按钮2, ControlId::标签5, 1024, 768},
        {ControlId::按钮3, ControlId::标签6, 1280, 1024},
        {ControlId::按钮4, ControlId::标签7, 1440, 1050},
        {ControlId::按钮5, ControlId::标签8, 1366, 768},
        {ControlId::按钮6, ControlId::标签9, 1920, 1080},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(controlNumber(row.button));
        ASSERT_TRUE(deleteGameKey());
        ASSERT_NO_FATAL_FAILURE(startApp());
        // The player picks the button by the label beside it.
        std::wstring rowText = resolutionText(row.width, row.height);
        EXPECT_EQ(label(row.rowLabel).compare(0, rowText.size(), rowText), 0)
            << "the row reads something else";

        // From a prefix that never had the game's key: it is created.
        ASSERT_EQ(label(ControlId::标签2), notDetected());
        expectApplied(row.button, row.width, row.height);

        // Over values already there, the height stored as text.
        ASSERT_TRUE(seedRawValue(VideoKeyPath, L"resheight", stringValue(L"600")));
        ASSERT_TRUE(seedGameDword(L"reswidth", 800));
        expectApplied(row.button, row.width, row.height);
        app.kill();
    }
}

// ---- the desktop button ----------------------------------------------------

TEST_F(ResolutionE2E, DesktopButtonWritesTheScreensResolution) {
    ASSERT_NO_FATAL_FAILURE(expectDesktopButtonWrites(1920, 1080));
}

TEST_F(ResolutionE2E, DesktopButtonWritesTheScreensResolutionAt1366x768) {
    ASSERT_NO_FATAL_FAILURE(expectDesktopButtonWrites(1366, 768));
}

// ---- custom entry ----------------------------------------------------------

TEST_F(ResolutionE2E, CustomEntryWritesWhatWasTypedOrRefusesIt) {
    struct Case {
        std::wstring width;
        std::wstring height;
        bool accepted;
        int storedWidth;
        int storedHeight;
    };
    const Case cases[] = {
        {L"1600", L"900", true, 1600, 900},
        {L"\xFF11\xFF16\xFF10\xFF10", L" 900px", true, 1600, 900}, // full-width 1600
        {L"1920x1080", L"+1080", true, 1920, 1080},
        {L"", L"900", false, 0, 0},
        {L"1600", L"", false, 0, 0},
        {L"abc", L"900", false, 0, 0},
        {L"0", L"900", false, 0, 0},
        {L"1600", L"0", false, 0, 0},
        {L"1600", L"-1", false, 0, 0},
        {L"-1600", L"900", false, 0, 0},
        {L"4294967296", L"900", false, 0, 0}, // wraps to 0
    };
    ASSERT_NO_FATAL_FAILURE(startApp());
    HWND widthBox = app.control(ControlId::编辑框_宽);
    HWND heightBox = app.control(ControlId::编辑框_高);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "width \"" << c.width << "\", height \"" << c.height << "\"");
        // Each entry starts from a player who never set anything.
        ASSERT_TRUE(deleteGameKey());
        setEditText(widthBox, L"");
        setEditText(heightBox, L"");
        typeChars(widthBox, c.width);
        typeChars(heightBox, c.height);
        ASSERT_TRUE(waitUntil([&] {
            return windowText(widthBox) == c.width && windowText(heightBox) == c.height;
        })) << "the typing did not reach the boxes";
        std::wstring shownBefore = label(ControlId::标签2);

        std::optional<MessageBoxContents> notice = noticeAfterClick(ControlId::按钮_设置);
        ASSERT_TRUE(notice) << "no notice after 设置";
        if (c.accepted) {
            EXPECT_EQ(notice->title, successTitle());
            EXPECT_EQ(notice->text, currentResolution(c.storedWidth, c.storedHeight));
            EXPECT_EQ(readGameValue(L"resheight"),
                      std::optional<DWORD>(static_cast<DWORD>(c.storedHeight)));
            EXPECT_EQ(readGameValue(L"reswidth"),
                      std::optional<DWORD>(static_cast<DWORD>(c.storedWidth)));
            EXPECT_EQ(label(ControlId::标签2), resolutionText(c.storedWidth, c.storedHeight));
        } else {
            EXPECT_EQ(notice->title, fromGbk("输入错误！"));
            EXPECT_EQ(notice->text, fromGbk("您的设置有误！"));
            EXPECT_FALSE(gameKeyExists()) << "a refused entry wrote something";
            EXPECT_EQ(label(ControlId::标签2), shownBefore);
        }
        // The boxes keep what the player typed, to correct it.
        EXPECT_EQ(windowText(widthBox), c.width);
        EXPECT_EQ(windowText(heightBox), c.height);
    }
}

// ---- what an apply leaves alone -------------------------------------------

TEST_F(ResolutionE2E, ApplyingLeavesTheGamesOtherSettingsAlone) {
    const std::pair<const wchar_t*, RawValue> others[] = {
        {L"adapter", stringValue(L"Primary")},
        {L"gamma", dwordValue(30)},
        {L"colordepth", dwordValue(32)},
    };
    for (const auto& [name, value] : others) {
        ASSERT_TRUE(seedRawValue(VideoKeyPath, name, value));
    }
    // A sibling of the Video key, directly under the game's key.
    const RawValue installPath = stringValue(L"C:\\Games\\Warcraft III");
    ASSERT_TRUE(seedRawValue(GameKeyPath, L"InstallPath", installPath));
    ASSERT_TRUE(seedGameDword(L"resheight", 600));
    ASSERT_TRUE(seedGameDword(L"reswidth", 800));
    ASSERT_NO_FATAL_FAILURE(startApp());
    ASSERT_EQ(label(ControlId::标签2), L"800*600");

    auto expectOthersKept = [&] {
        for (const auto& [name, value] : others) {
            EXPECT_EQ(readRawValue(VideoKeyPath, name), value);
        }
        EXPECT_EQ(readRawValue(GameKeyPath, L"InstallPath"), installPath);
    };
    expectApplied(ControlId::按钮2, 1024, 768);
    expectOthersKept();
    expectApplied(ControlId::按钮1, 1920, 1080);
    expectOthersKept();

    typeChars(app.control(ControlId::编辑框_宽), L"1600");
    typeChars(app.control(ControlId::编辑框_高), L"900");
    ASSERT_TRUE(waitUntil([&] { return windowText(app.control(ControlId::编辑框_高)) == L"900"; }));
    expectApplied(ControlId::按钮_设置, 1600, 900);
    expectOthersKept();
}

// ---- a write the system refuses ------------------------------------------

TEST_F(ResolutionE2E, RefusedWriteIsReportedWithWhatTheKeyStillHolds) {
    ASSERT_TRUE(seedGameDword(L"resheight", 600));
    ASSERT_TRUE(seedGameDword(L"reswidth", 800));
    const DWORD readOnly = KEY_READ | WRITE_DAC | DELETE;
    ASSERT_TRUE(setKeyAccess(VideoKeyPath, readOnly));
    if (!keyAccessIsEnforced(VideoKeyPath)) {
        GTEST_SKIP() << "this system ignores the registry's access lists";
    }
    auto expectRefused = [&](ControlId button, const std::wstring& stillShown, int width,
                             int height) {
        std::optional<MessageBoxContents> notice = noticeAfterClick(button);
        ASSERT_TRUE(notice) << "no notice after the click";
        EXPECT_EQ(notice->title, fromGbk("设置失败！"));
        EXPECT_EQ(notice->text,
                  fromGbk("写入注册表失败！") + L"\r\n" + currentResolution(width, height));
        EXPECT_EQ(label(ControlId::标签2), stillShown);
    };

    // The Video key can be read but not written: every kind of button says
    // so and shows the values the game will still find.
    ASSERT_NO_FATAL_FAILURE(startApp());
    ASSERT_EQ(label(ControlId::标签2), L"800*600");
    typeChars(app.control(ControlId::编辑框_宽), L"1600");
    typeChars(app.control(ControlId::编辑框_高), L"900");
    ASSERT_TRUE(waitUntil([&] { return windowText(app.control(ControlId::编辑框_高)) == L"900"; }));
    for (ControlId button : {ControlId::按钮6, ControlId::按钮1, ControlId::按钮_设置}) {
        SCOPED_TRACE(controlNumber(button));
        expectRefused(button, L"800*600", 800, 600);
        EXPECT_EQ(readGameValue(L"resheight"), std::optional<DWORD>(600));
        EXPECT_EQ(readGameValue(L"reswidth"), std::optional<DWORD>(800));
    }

    // Now it cannot even be read: nothing is known of what the game will
    // find, and 标签2 drops the resolution it showed.
    ASSERT_TRUE(setKeyAccess(VideoKeyPath, WRITE_DAC | DELETE));
    expectRefused(ControlId::按钮2, notDetected(), 0, 0);
    ASSERT_TRUE(setKeyAccess(VideoKeyPath, std::nullopt));
    EXPECT_EQ(readGameValue(L"resheight"), std::optional<DWORD>(600));
    EXPECT_EQ(readGameValue(L"reswidth"), std::optional<DWORD>(800));
}

} // namespace
