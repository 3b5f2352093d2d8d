#include <gtest/gtest.h>

#include <string>

#include "actions/apply_resolution.h"
#include "actions/resolution_display.h"
#include "app/program.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_screen.h"
#include "fakes/fake_shell.h"

namespace {

const std::string Video = "Software\\Blizzard Entertainment\\Warcraft III\\Video";
const int Label2 = controlNumber(ControlId::标签2);
const int Label4 = controlNumber(ControlId::标签4);

struct Harness {
    FakeRegistry registry;
    FakeScreen screen;
    FakeShell shell;
    Program program{registry, screen, shell, {}};

    int32_t stored(const char* name) {
        auto v = registry.value(Video, name);
        if (!v || v->type != RegistryType::Dword || v->bytes.size() != 4) {
            return INT32_MIN; // not a DWORD
        }
        return static_cast<int32_t>(v->bytes[0] | v->bytes[1] << 8 | v->bytes[2] << 16 |
                                    static_cast<uint32_t>(v->bytes[3]) << 24);
    }
    // The value names written, in order.
    std::string writes() const {
        std::string order;
        for (const auto& r : registry.log) {
            if (r.call == RegistryCall::Set) {
                order += r.valueName + ";";
            }
        }
        return order;
    }
};

TEST(ShowResolutionsAtStart, LabelsForEachRegistryState) {
    const struct {
        const char* what;
        void (*seed)(FakeRegistry&);
        const char* label2;
    } cases[] = {
        {"no key", [](FakeRegistry&) {}, "未检测到注册表项"},
        {"1024x768",
         [](FakeRegistry& r) {
             r.setDword(Video, "resheight", 768);
             r.setDword(Video, "reswidth", 1024);
         },
         "1024*768"},
        {"width only", [](FakeRegistry& r) { r.setDword(Video, "reswidth", 1024); },
         "未检测到注册表项"},
        {"height only", [](FakeRegistry& r) { r.setDword(Video, "resheight", 768); }, "0*768"},
        {"height as text",
         [](FakeRegistry& r) {
             r.setString(Video, "resheight", "768");
             r.setDword(Video, "reswidth", 1024);
         },
         "1024*0"},
    };
    for (const auto& c : cases) {
        Harness h;
        c.seed(h.registry);
        h.screen.caps = ScreenCaps{1366, 768, 32, 60};
        showResolutionsAtStart(h.program);
        EXPECT_EQ(h.shell.themes, std::vector<int>{1}) << c.what;
        EXPECT_EQ(h.shell.controlTexts[Label2], c.label2) << c.what;
        EXPECT_EQ(h.shell.controlTexts[Label4], "1366*768") << c.what;
        EXPECT_EQ(h.program.state.desktopWidth, 1366);
        EXPECT_EQ(h.program.state.desktopHeight, 768);
        EXPECT_TRUE(h.shell.messages.empty());
        EXPECT_EQ(h.writes(), "") << c.what;
    }
}

TEST(ShowResolutionsAtStart, NoScreenShowsZeros) {
    Harness h;
    h.screen.present = false;
    showResolutionsAtStart(h.program);
    EXPECT_EQ(h.shell.controlTexts[Label4], "0*0");
}

// Every button that writes: what ends up stored and what the notice says.
TEST(ApplyResolution, EachButtonWritesHeightThenWidthAndConfirms) {
    const struct {
        ControlId button;
        int32_t width, height;
    } cases[] = {{ControlId::按钮2, 1024, 768},  {ControlId::按钮3, 1280, 1024},
                 {ControlId::按钮4, 1440, 1050}, {ControlId::按钮5, 1366, 768},
                 {ControlId::按钮6, 1920, 1080}, {ControlId::按钮1, 1366, 768}};
    for (bool seeded : {false, true}) {
        for (const auto& c : cases) {
            Harness h;
            if (seeded) {
                h.registry.setDword(Video, "resheight", 600);
                h.registry.setDword(Video, "reswidth", 800);
                h.registry.setDword(Video, "colordepth", 32);
            }
            h.screen.caps = ScreenCaps{1366, 768, 32, 60};
            showResolutionsAtStart(h.program);
            h.registry.log.clear();
            if (c.button == ControlId::按钮1) {
                applyDesktopResolution(h.program);
            } else {
                applyPresetResolution(h.program, c.button);
            }
            EXPECT_EQ(h.stored("resheight"), c.height);
            EXPECT_EQ(h.stored("reswidth"), c.width);
            EXPECT_EQ(h.writes(), "resheight;reswidth;");
            std::string shown = std::to_string(c.width) + "*" + std::to_string(c.height);
            ASSERT_EQ(h.shell.messages.size(), 1u);
            EXPECT_EQ(h.shell.messages[0].text, "当前的分辨率为" + shown);
            EXPECT_EQ(h.shell.messages[0].title, "设置成功！");
            EXPECT_EQ(h.shell.controlTexts[Label2], shown); // refreshed after the write
            if (seeded) {
                EXPECT_EQ(h.stored("colordepth"), 32);
            }
        }
    }
}

TEST(ApplyResolution, PinsTheNoticeBytes) {
    Harness h;
    applyPresetResolution(h.program, ControlId::按钮6);
    const unsigned char title[] = {0xC9, 0xE8, 0xD6, 0xC3, 0xB3, 0xC9, 0xB9, 0xA6, 0xA3, 0xA1, 0};
    ASSERT_EQ(h.shell.messages.size(), 1u);
    EXPECT_EQ(h.shell.messages[0].title, reinterpret_cast<const char*>(title));
}

TEST(ApplyResolution, DesktopButtonFollowsADisplayChange) {
    Harness h;
    showResolutionsAtStart(h.program);
    h.screen.caps = ScreenCaps{2560, 1440, 32, 144};
    refreshDesktopResolution(h.program);
    EXPECT_EQ(h.shell.controlTexts[Label4], "2560*1440");
    applyDesktopResolution(h.program);
    EXPECT_EQ(h.stored("reswidth"), 2560);
    EXPECT_EQ(h.stored("resheight"), 1440);
}

TEST(ApplyCustomResolution, AcceptsOrRefusesTypedValues) {
    const struct {
        const char* width;
        const char* height;
        bool accepted;
        int32_t w, h;
    } cases[] = {
        {"1600", "900", true, 1600, 900},
        {"１６００", " 900px", true, 1600, 900},
        {"1920x1080", "+1080", true, 1920, 1080},
        {"1600", "", false, 0, 0},
        {"abc", "900", false, 0, 0},
        {"0", "900", false, 0, 0},
        {"1600", "-1", false, 0, 0},
        {"4294967296", "900", false, 0, 0},
        {"1600", "2147483648", false, 0, 0},
        // Too long to hold: stored wrapped it would be some other number.
        {"99999999999999999999", "1080", false, 0, 0},
        {"4294968296", "900", false, 0, 0},
        {"00000000000000001600", "900", true, 1600, 900},
    };
    for (const auto& c : cases) {
        Harness h;
        h.registry.setDword(Video, "resheight", 600);
        h.registry.setDword(Video, "reswidth", 800);
        showResolutionsAtStart(h.program);
        h.shell.controlTexts[controlNumber(ControlId::编辑框_宽)] = c.width;
        h.shell.controlTexts[controlNumber(ControlId::编辑框_高)] = c.height;
        h.registry.log.clear();
        applyCustomResolution(h.program);
        ASSERT_EQ(h.shell.messages.size(), 1u) << c.width << "/" << c.height;
        if (c.accepted) {
            EXPECT_EQ(h.writes(), "resheight;reswidth;");
            EXPECT_EQ(h.stored("reswidth"), c.w);
            EXPECT_EQ(h.stored("resheight"), c.h);
            EXPECT_EQ(h.shell.messages[0].title, "设置成功！");
            EXPECT_EQ(h.shell.messages[0].text,
                      "当前的分辨率为" + std::to_string(c.w) + "*" + std::to_string(c.h));
        } else {
            EXPECT_EQ(h.writes(), "") << c.width << "/" << c.height;
            EXPECT_EQ(h.stored("reswidth"), 800);
            EXPECT_EQ(h.stored("resheight"), 600);
            EXPECT_EQ(h.shell.messages[0].title, "输入错误！");
            EXPECT_EQ(h.shell.messages[0].text, "您的设置有误！");
            EXPECT_EQ(h.shell.controlTexts[Label2], "800*600");
        }
    }
}

// Any single registry call failing anywhere on a handler's path: the notice
// never claims a success that did not happen, 标签2 shows what the registry
// holds, and nothing but the two values changes.
TEST(ApplyResolution, FaultAtEveryCallTellsTheTruth) {
    const RegistryCall calls[] = {RegistryCall::Open,      RegistryCall::Create,
                                  RegistryCall::QueryInfo, RegistryCall::QueryData,
                                  RegistryCall::Set,       RegistryCall::Close};
    enum Handler { Preset, Desktop, Custom };
    for (Handler handler : {Preset, Desktop, Custom}) {
        for (RegistryCall call : calls) {
            for (int occurrence = 1; occurrence <= 6; ++occurrence) {
                for (bool keyPresent : {false, true}) {
                    Harness h;
                    if (keyPresent) {
                        h.registry.setDword(Video, "resheight", 600);
                        h.registry.setDword(Video, "reswidth", 800);
                        h.registry.setString(Video, "other", "kept");
                    }
                    h.screen.caps = ScreenCaps{1366, 768, 32, 60};
                    showResolutionsAtStart(h.program);
                    h.shell.controlTexts[controlNumber(ControlId::编辑框_宽)] = "1600";
                    h.shell.controlTexts[controlNumber(ControlId::编辑框_高)] = "900";
                    h.registry.failCall(call, occurrence);
                    if (handler == Preset) {
                        applyPresetResolution(h.program, ControlId::按钮6);
                    } else if (handler == Desktop) {
                        applyDesktopResolution(h.program);
                    } else {
                        applyCustomResolution(h.program);
                    }
                    h.registry.clearFaults();
                    int32_t wantW = handler == Preset ? 1920 : handler == Desktop ? 1366 : 1600;
                    int32_t wantH = handler == Preset ? 1080 : handler == Desktop ? 768 : 900;
                    bool bothSet = h.stored("reswidth") == wantW && h.stored("resheight") == wantH;
                    ASSERT_EQ(h.shell.messages.size(), 1u);
                    const ShownMessage& m = h.shell.messages[0];
                    if (m.title == "设置成功！") {
                        EXPECT_TRUE(bothSet) << "success claimed after a failed write";
                    } else {
                        EXPECT_EQ(m.title, "设置失败！");
                        EXPECT_EQ(m.text.rfind("写入注册表失败！\r\n当前的分辨率为", 0), 0u);
                    }
                    // Only the two values may have changed.
                    auto values = h.registry.values(Video);
                    for (const auto& v : values) {
                        EXPECT_TRUE(v.first == "resheight" || v.first == "reswidth" ||
                                    v.first == "other");
                    }
                    if (keyPresent) {
                        EXPECT_TRUE(h.registry.value(Video, "other").has_value());
                    }
                }
            }
        }
    }
}

} // namespace
