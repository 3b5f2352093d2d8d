#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "sources/game_video_settings.h"

namespace {

const RegistryRoot Root = RegistryRoot::CurrentUser;
const std::string Video = "Software\\Blizzard Entertainment\\Warcraft III\\Video";

FakeValue dword(uint32_t v) {
    return FakeValue{RegistryType::Dword,
                     {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                      static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)}};
}

TEST(SplitRegistryPath, SplitsAtTheLastRealBackslash) {
    const struct {
        const char* full;
        const char* key;
        const char* value;
    } cases[] = {
        {"Software\\Video\\resheight", "Software\\Video", "resheight"},
        {"resheight", "", "resheight"},
        {"Software\\Video\\", "Software\\Video", ""},
        {"\\resheight", "", "resheight"},
        {"", "", ""},
        // 0x95 0x5C is one GBK character whose trail byte is a backslash.
        {"Key\\\x95\x5C", "Key", "\x95\x5C"},
        {"\x95\x5C\\name", "\x95\x5C", "name"},
        {"\x95\x5C", "", "\x95\x5C"},
        // A lone lead byte at the end is not read past.
        {"a\\b\x95", "a", "b\x95"},
    };
    for (const auto& c : cases) {
        RegistryPath path = splitRegistryPath(c.full);
        EXPECT_STREQ(path.keyPath.c_str(), c.key) << c.full;
        EXPECT_STREQ(path.valueName.c_str(), c.value) << c.full;
    }
    EXPECT_STREQ(VideoKeyPath, Video.c_str());
    EXPECT_STREQ(splitRegistryPath(ResHeightPath).valueName.c_str(), "resheight");
    EXPECT_STREQ(splitRegistryPath(ResWidthPath).keyPath.c_str(), VideoKeyPath);
}

// 0x95 0x5C is one GBK character (U+661E) whose trail byte is a backslash; a
// key and a value of that name must stay whole through a write and a read.
TEST(GameVideoSettings, GbkNamesWithABackslashTrailByteStayWhole) {
    FakeRegistry reg;
    const std::string key = "Software\\\x95\x5C";
    const std::string full = key + "\\\x95\x5C";
    EXPECT_TRUE(writeRegistryNumber(reg, Root, full.c_str(), 1024));
    EXPECT_EQ(reg.keyPaths(), (std::vector<std::string>{"software", "software\\\x95\x5C"}));
    EXPECT_EQ(reg.value(key, "\x95\x5C"), dword(1024));
    EXPECT_TRUE(registryValueExists(reg, Root, full.c_str()));
    EXPECT_EQ(readRegistryNumber(reg, Root, full.c_str()), 1024);
}

TEST(GameVideoSettings, MissingKeyReadsZeroAndWriteCreatesThePath) {
    FakeRegistry reg;
    EXPECT_FALSE(registryValueExists(reg, Root, ResHeightPath));
    EXPECT_EQ(readRegistryNumber(reg, Root, ResHeightPath), 0);
    EXPECT_EQ(readRegistryNumber(reg, Root, ResWidthPath), 0);

    EXPECT_TRUE(writeRegistryNumber(reg, Root, ResHeightPath, 768));
    EXPECT_TRUE(reg.hasKey("Software\\Blizzard Entertainment"));
    EXPECT_TRUE(reg.hasKey(Video));
    EXPECT_EQ(reg.value(Video, "resheight"), dword(768));
    EXPECT_TRUE(registryValueExists(reg, Root, ResHeightPath));
    EXPECT_EQ(readRegistryNumber(reg, Root, ResHeightPath), 768);
    EXPECT_EQ(reg.openHandles(), 0u);
}

TEST(GameVideoSettings, OnlyADwordIsANumberButAnyTypeExists) {
    const struct {
        const char* what;
        FakeValue stored;
    } cases[] = {
        {"text 768", FakeValue{RegistryType::String, {'7', '6', '8', 0}}},
        {"expandable text", FakeValue{RegistryType::ExpandString, {'9', 0}}},
        {"four binary bytes", FakeValue{RegistryType::Binary, {0, 3, 0, 0}}},
        {"qword", FakeValue{RegistryType::Qword, {0, 3, 0, 0, 0, 0, 0, 0}}},
        {"dword of 8 bytes", FakeValue{RegistryType::Dword, {0, 3, 0, 0, 0, 0, 0, 0}}},
        {"dword of 2 bytes", FakeValue{RegistryType::Dword, {0, 3}}},
    };
    for (const auto& c : cases) {
        FakeRegistry reg;
        reg.setValue(Video, "resheight", c.stored.type, c.stored.bytes);
        EXPECT_TRUE(registryValueExists(reg, Root, ResHeightPath)) << c.what;
        EXPECT_EQ(readRegistryNumber(reg, Root, ResHeightPath), 0) << c.what;
        // The next write leaves a proper DWORD.
        EXPECT_TRUE(writeRegistryNumber(reg, Root, ResHeightPath, 900)) << c.what;
        EXPECT_EQ(reg.value(Video, "resheight"), dword(900)) << c.what;
        EXPECT_EQ(reg.openHandles(), 0u) << c.what;
    }
}

TEST(GameVideoSettings, StoresTheSigned32BitPattern) {
    FakeRegistry reg;
    const struct {
        int32_t written;
        uint32_t stored;
    } cases[] = {
        {-5, 0xFFFFFFFBu}, {0, 0}, {-1, 0xFFFFFFFFu}, {INT32_MIN, 0x80000000u}, {1080, 1080}};
    for (const auto& c : cases) {
        EXPECT_TRUE(writeRegistryNumber(reg, Root, ResWidthPath, c.written));
        EXPECT_EQ(reg.value(Video, "reswidth"), dword(c.stored));
        EXPECT_EQ(readRegistryNumber(reg, Root, ResWidthPath), c.written);
    }
}

TEST(GameVideoSettings, WriteLeavesOtherValuesAlone) {
    FakeRegistry reg;
    reg.setDword(Video, "colordepth", 32);
    reg.setString(Video, "adapter", "primary");
    reg.setDword(Video, "ResHeight", 600); // names compare case-insensitively
    auto before = reg.values(Video);
    EXPECT_TRUE(writeRegistryNumber(reg, Root, ResHeightPath, 1080));
    auto after = reg.values(Video);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after["colordepth"], before["colordepth"]);
    EXPECT_EQ(after["adapter"], before["adapter"]);
    EXPECT_EQ(after["resheight"], dword(1080));
}

// Each call of each operation made to fail in turn: what the operation answers
// and what it leaves behind. Every key opened is closed again.
TEST(GameVideoSettings, ReadAndExistsFailQuietlyToZeroAndFalse) {
    const struct {
        const char* what;
        RegistryCall failing;
        bool exists;
        int32_t read;
    } cases[] = {
        {"open refused", RegistryCall::Open, false, 0},
        {"type query fails", RegistryCall::QueryInfo, false, 0},
        {"data read fails", RegistryCall::QueryData, true, 0},
        {"close fails", RegistryCall::Close, true, 768},
    };
    for (const auto& c : cases) {
        FakeRegistry reg;
        reg.setDword(Video, "resheight", 768);
        reg.failCall(c.failing);
        EXPECT_EQ(registryValueExists(reg, Root, ResHeightPath), c.exists) << c.what;
        EXPECT_EQ(readRegistryNumber(reg, Root, ResHeightPath), c.read) << c.what;
        if (c.failing != RegistryCall::Close) {
            EXPECT_EQ(reg.openHandles(), 0u) << c.what;
        }
    }
}

TEST(GameVideoSettings, DeniedKeyIsAbsentToReadsAndRefusesWrites) {
    FakeRegistry reg;
    reg.setDword(Video, "resheight", 768);
    reg.denyAccess(Video);
    EXPECT_FALSE(registryValueExists(reg, Root, ResHeightPath));
    EXPECT_EQ(readRegistryNumber(reg, Root, ResHeightPath), 0);
    EXPECT_FALSE(writeRegistryNumber(reg, Root, ResHeightPath, 1080));
    reg.clearFaults();
    EXPECT_EQ(reg.value(Video, "resheight"), dword(768));
}

TEST(GameVideoSettings, WriteFailures) {
    const struct {
        const char* what;
        bool keyExists;
        std::vector<RegistryCall> failing;
        bool result;
        bool keyAfter;   // the Video key exists afterwards
        bool valueAfter; // resheight exists afterwards
    } cases[] = {
        {"existing key, set fails", true, {RegistryCall::Set}, false, true, false},
        {"missing key, open fails then create works", false, {}, true, true, true},
        {"open fails, create works", true, {RegistryCall::Open}, true, true, true},
        {"open and create fail", false, {RegistryCall::Create}, false, false, false},
        {"created, then set fails: keys stay without the value",
         false,
         {RegistryCall::Set},
         false,
         true,
         false},
        {"close fails after a successful set", true, {RegistryCall::Close}, true, true, true},
    };
    for (const auto& c : cases) {
        FakeRegistry reg;
        if (c.keyExists) {
            reg.createKeyPath(Video);
        }
        for (RegistryCall call : c.failing) {
            reg.failCall(call);
        }
        EXPECT_EQ(writeRegistryNumber(reg, Root, ResHeightPath, 1050), c.result) << c.what;
        reg.clearFaults();
        EXPECT_EQ(reg.hasKey(Video), c.keyAfter) << c.what;
        EXPECT_EQ(reg.value(Video, "resheight").has_value(), c.valueAfter) << c.what;
        if (c.valueAfter) {
            EXPECT_EQ(reg.value(Video, "resheight"), dword(1050)) << c.what;
        }
    }
}

TEST(GameVideoSettings, OpensForWritingThenCreatesThenSetsThenCloses) {
    FakeRegistry reg;
    writeRegistryNumber(reg, Root, ResHeightPath, 1);
    ASSERT_EQ(reg.log.size(), 4u);
    EXPECT_EQ(reg.log[0].call, RegistryCall::Open);
    EXPECT_FALSE(reg.log[0].succeeded);
    EXPECT_EQ(reg.log[1].call, RegistryCall::Create);
    EXPECT_EQ(reg.log[2].call, RegistryCall::Set);
    EXPECT_EQ(reg.log[2].valueName, "resheight");
    EXPECT_EQ(reg.log[3].call, RegistryCall::Close);
}

// A read opens for reading, asks the type, reads the data only of a DWORD, and
// closes whatever it opened.
TEST(GameVideoSettings, ReadCallsInOrder) {
    using C = RegistryCall;
    const struct {
        const char* what;
        void (*seed)(FakeRegistry&);
        std::vector<RegistryCall> calls;
    } cases[] = {
        {"dword",
         [](FakeRegistry& reg) { reg.setDword(Video, "resheight", 768); },
         {C::Open, C::QueryInfo, C::QueryData, C::Close}},
        {"text",
         [](FakeRegistry& reg) { reg.setString(Video, "resheight", "768"); },
         {C::Open, C::QueryInfo, C::Close}},
        {"missing value",
         [](FakeRegistry& reg) { reg.createKeyPath(Video); },
         {C::Open, C::QueryInfo, C::Close}},
        {"missing key", [](FakeRegistry&) {}, {C::Open}},
    };
    for (const auto& c : cases) {
        FakeRegistry reg;
        c.seed(reg);
        readRegistryNumber(reg, Root, ResHeightPath);
        std::vector<RegistryCall> calls;
        for (const RegistryCallRecord& record : reg.log) {
            calls.push_back(record.call);
            EXPECT_EQ(record.keyPath, "software\\blizzard entertainment\\warcraft iii\\video")
                << c.what;
        }
        EXPECT_EQ(calls, c.calls) << c.what;
        EXPECT_EQ(reg.openHandles(), 0u) << c.what;
    }
}

} // namespace
