// The store against the real registry. Everything happens under a scratch key
// of its own, never the game's, so running this on a player's machine cannot
// touch their settings.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win/registry_win.h"
#include "sources/game_video_settings.h"

namespace {

const RegistryRoot Root = RegistryRoot::CurrentUser;

class RealRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        top_ = L"Software\\PixmoraTests\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, top_.c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, top_.c_str()); }

    std::string keyPath() const { return narrow(top_) + "\\Game\\Video"; }
    std::string valuePath(const char* name) const { return keyPath() + "\\" + name; }
    std::wstring wideKey() const { return top_ + L"\\Game\\Video"; }

    static std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

    bool keyExists(const std::wstring& path) const {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    void put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, wideKey().c_str(), &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // The raw type and bytes of a value; type REG_NONE with no bytes when absent.
    std::pair<DWORD, std::string> raw(const wchar_t* name) const { return raw(wideKey(), name); }
    std::pair<DWORD, std::string> raw(const std::wstring& key, const wchar_t* name) const {
        BYTE data[64];
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                         data, &size) != ERROR_SUCCESS) {
            return {REG_NONE, ""};
        }
        return {type, std::string(reinterpret_cast<char*>(data), size)};
    }

    std::wstring top_;
};

std::string dwordBytes(uint32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}

TEST_F(RealRegistry, WriteCreatesTheMissingPathDownToTheLastKey) {
    WindowsRegistry reg;
    std::string height = valuePath("resheight");
    EXPECT_FALSE(registryValueExists(reg, Root, height.c_str()));
    EXPECT_EQ(readRegistryNumber(reg, Root, height.c_str()), 0);
    EXPECT_TRUE(writeRegistryNumber(reg, Root, height.c_str(), 768));
    EXPECT_TRUE(keyExists(wideKey()));
    EXPECT_EQ(raw(L"resheight"), std::make_pair(DWORD(REG_DWORD), dwordBytes(768)));
    EXPECT_TRUE(registryValueExists(reg, Root, height.c_str()));
    EXPECT_EQ(readRegistryNumber(reg, Root, height.c_str()), 768);
}

TEST_F(RealRegistry, TextValueReadsZeroYetExistsAndIsReplacedByADword) {
    WindowsRegistry reg;
    std::string height = valuePath("resheight");
    put(L"resheight", REG_SZ, L"768", sizeof L"768");
    EXPECT_TRUE(registryValueExists(reg, Root, height.c_str()));
    EXPECT_EQ(readRegistryNumber(reg, Root, height.c_str()), 0);
    EXPECT_TRUE(writeRegistryNumber(reg, Root, height.c_str(), 900));
    EXPECT_EQ(raw(L"resheight"), std::make_pair(DWORD(REG_DWORD), dwordBytes(900)));
}

TEST_F(RealRegistry, StoresTheSignedPatternAndReadsItBack) {
    WindowsRegistry reg;
    std::string width = valuePath("reswidth");
    EXPECT_TRUE(writeRegistryNumber(reg, Root, width.c_str(), -5));
    EXPECT_EQ(raw(L"reswidth").second, dwordBytes(0xFFFFFFFBu));
    EXPECT_EQ(readRegistryNumber(reg, Root, width.c_str()), -5);
    EXPECT_TRUE(writeRegistryNumber(reg, Root, width.c_str(), 0));
    EXPECT_EQ(raw(L"reswidth"), std::make_pair(DWORD(REG_DWORD), dwordBytes(0)));
}

TEST_F(RealRegistry, WritesLeaveEveryOtherValueAlone) {
    WindowsRegistry reg;
    DWORD depth = 32, gamma = 100, windowed = 1;
    put(L"colordepth", REG_DWORD, &depth, sizeof depth);
    put(L"gamma", REG_DWORD, &gamma, sizeof gamma);
    put(L"windowed", REG_DWORD, &windowed, sizeof windowed);
    put(L"adapter", REG_SZ, L"主显示器", sizeof L"主显示器");
    auto before =
        std::make_tuple(raw(L"colordepth"), raw(L"gamma"), raw(L"windowed"), raw(L"adapter"));
    EXPECT_TRUE(writeRegistryNumber(reg, Root, valuePath("resheight").c_str(), 1080));
    EXPECT_TRUE(writeRegistryNumber(reg, Root, valuePath("reswidth").c_str(), 1920));
    EXPECT_EQ(before, std::make_tuple(raw(L"colordepth"), raw(L"gamma"), raw(L"windowed"),
                                      raw(L"adapter")));
}

TEST_F(RealRegistry, OtherValueTypesReadZero) {
    WindowsRegistry reg;
    unsigned char binary[4] = {0, 3, 0, 0};
    unsigned long long qword = 768;
    put(L"reswidth", REG_BINARY, binary, sizeof binary);
    put(L"resheight", REG_QWORD, &qword, sizeof qword);
    EXPECT_EQ(readRegistryNumber(reg, Root, valuePath("reswidth").c_str()), 0);
    EXPECT_EQ(readRegistryNumber(reg, Root, valuePath("resheight").c_str()), 0);
    EXPECT_TRUE(registryValueExists(reg, Root, valuePath("resheight").c_str()));
}

// Names reach Windows converted from GBK by code page 936, whatever the
// system's ANSI code page. 0x95 0x5C is U+661E, a character whose trail byte
// is a backslash: it must stay one character of one key and one value name.
TEST_F(RealRegistry, GbkNamesReachTheRegistryAsTheirCharacters) {
    WindowsRegistry reg;
    std::string full = narrow(top_) + "\\显示\x95\x5C\\宽\x95\x5C";
    EXPECT_TRUE(writeRegistryNumber(reg, Root, full.c_str(), 1366));
    std::wstring key = top_ + L"\\显示\u661E";
    EXPECT_EQ(raw(key, L"宽\u661E"), std::make_pair(DWORD(REG_DWORD), dwordBytes(1366)));
    EXPECT_TRUE(registryValueExists(reg, Root, full.c_str()));
    EXPECT_EQ(readRegistryNumber(reg, Root, full.c_str()), 1366);
}

} // namespace
