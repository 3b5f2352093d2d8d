// The window definition: controls, Tab order and placement.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/main_window.h"

namespace {

struct ExpectedControl {
    ControlId id;
    ControlKind kind;
    int left, top, width, height;
    std::string text; // GBK, as the sources are compiled
};

const ExpectedControl expectedControls[] = {
    {ControlId::标签1, ControlKind::Label, 33, 26, 87, 32, "War3当前分辨率"},
    {ControlId::标签2, ControlKind::Label, 129, 29, 96, 25, "标签"},
    {ControlId::标签3, ControlKind::Label, 266, 32, 104, 24, "操作系统分辨率："},
    {ControlId::标签4, ControlKind::Label, 384, 31, 80, 24, "标签"},
    {ControlId::按钮1, ControlKind::PushButton, 474, 25, 136, 32, "设置为系统分辨率"},
    {ControlId::编辑框_宽, ControlKind::EditBox, 32, 102, 88, 20, ""},
    {ControlId::编辑框_高, ControlKind::EditBox, 32, 145, 88, 20, ""},
    {ControlId::按钮_设置, ControlKind::PushButton, 32, 187, 88, 32, "设置"},
    {ControlId::标签5, ControlKind::Label, 160, 96, 320, 24,
     "1024*768（常用10.4、12.1、14.1、15寸电脑使用）4:3"},
    {ControlId::按钮2, ControlKind::PushButton, 504, 88, 80, 32, "快速设置"},
    {ControlId::标签6, ControlKind::Label, 160, 136, 312, 24,
     "1280*1024（常用14.1、15寸电脑使用）5:4"},
    {ControlId::按钮3, ControlKind::PushButton, 504, 128, 80, 32, "快速设置"},
    {ControlId::标签7, ControlKind::Label, 160, 176, 312, 24,
     "1440*1050（常用15、16.1寸电脑使用）4:3"},
    {ControlId::按钮4, ControlKind::PushButton, 504, 168, 80, 32, "快速设置"},
    {ControlId::标签8, ControlKind::Label, 160, 210, 312, 24,
     "1366*768（常见15.2寸电脑使用）15:10（主流）"},
    {ControlId::按钮5, ControlKind::PushButton, 504, 208, 80, 32, "快速设置"},
    {ControlId::标签9, ControlKind::Label, 160, 249, 208, 24, "1920*1080 16:9 （主流）"},
    {ControlId::按钮6, ControlKind::PushButton, 504, 248, 80, 32, "快速设置"},
    {ControlId::按钮7, ControlKind::PushButton, 136, 304, 80, 32, "退出"},
    {ControlId::按钮8, ControlKind::PushButton, 384, 303, 80, 32, "关于"},
};

TEST(MainWindowControls, EveryControlHasItsKindRectangleAndText) {
    ASSERT_EQ(std::size(expectedControls), MainWindowControlCount);
    for (const ExpectedControl& expected : expectedControls) {
        SCOPED_TRACE(controlNumber(expected.id));
        const ControlDefinition* control = findControl(expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->kind, expected.kind);
        EXPECT_EQ(control->left, expected.left);
        EXPECT_EQ(control->top, expected.top);
        EXPECT_EQ(control->width, expected.width);
        EXPECT_EQ(control->height, expected.height);
        EXPECT_EQ(std::string(control->text), expected.text);
    }
}

TEST(MainWindowControls, TextsAreGbkAsTheWindowsSideExpects) {
    // "标签" in GBK; in UTF-8 it would be six bytes.
    EXPECT_EQ(std::string(findControl(ControlId::标签2)->text), "\xB1\xEA\xC7\xA9");
    // The full-width brackets and the space before them survive.
    EXPECT_NE(std::string(findControl(ControlId::标签9)->text).find(" \xA3\xA8"),
              std::string::npos);
}

TEST(MainWindowControls, IdsAreUniqueAndTheWindowHasNoOtherControls) {
    std::set<int> ids;
    for (const ControlDefinition& control : mainWindowControls) {
        EXPECT_TRUE(ids.insert(controlNumber(control.id)).second) << controlNumber(control.id);
    }
    EXPECT_EQ(ids.size(), MainWindowControlCount);
    EXPECT_EQ(findControl(static_cast<ControlId>(1000)), nullptr);
}

TEST(MainWindowControls, EveryControlFitsInsideTheClientArea) {
    // 623x390 outer with a dialog frame and a caption leaves at least
    // 611x355 of client area on any usual frame size.
    for (const ControlDefinition& control : mainWindowControls) {
        SCOPED_TRACE(controlNumber(control.id));
        EXPECT_GE(control.left, 0);
        EXPECT_GE(control.top, 0);
        EXPECT_LE(control.left + control.width, 611);
        EXPECT_LE(control.top + control.height, 355);
    }
}

TEST(MainWindowDefinition, CaptionSizeAndRecordedCorner) {
    EXPECT_STREQ(MainWindowCaption, "Pixmora");
    EXPECT_EQ(MainWindowWidth, 623);
    EXPECT_EQ(MainWindowHeight, 390);
    EXPECT_EQ(MainWindowDefaultLeft, 50);
    EXPECT_EQ(MainWindowDefaultTop, 50);
}

TEST(TabOrder, WalksTheEditBoxesThenTheButtonsAndSkipsTheLabels) {
    const ControlId expected[] = {
        ControlId::编辑框_宽, ControlId::编辑框_高, ControlId::按钮_设置, ControlId::按钮1,
        ControlId::按钮2,     ControlId::按钮3,     ControlId::按钮4,     ControlId::按钮5,
        ControlId::按钮6,     ControlId::按钮7,     ControlId::按钮8,
    };
    ASSERT_EQ(std::size(expected), TabOrderLength);
    for (size_t i = 0; i < TabOrderLength; ++i) {
        EXPECT_EQ(tabOrder[i], expected[i]) << "position " << i;
    }
    EXPECT_EQ(FirstFocus, ControlId::编辑框_宽);
}

TEST(TabOrder, HoldsEveryButtonAndEditBoxOnceAndNoLabel) {
    std::set<ControlId> inOrder(std::begin(tabOrder), std::end(tabOrder));
    EXPECT_EQ(inOrder.size(), TabOrderLength);
    for (const ControlDefinition& control : mainWindowControls) {
        bool focusable = control.kind != ControlKind::Label;
        EXPECT_EQ(inOrder.count(control.id) == 1, focusable) << controlNumber(control.id);
    }
}

struct PlacementCase {
    int screenWidth, screenHeight;
    int left, top;
};

TEST(Placement, CentresWithTruncatingDivision) {
    const PlacementCase cases[] = {
        {1920, 1080, 648, 345}, // the usual desktop
        {1366, 768, 371, 189},  // odd differences round down
        {1024, 768, 200, 189},
        {624, 391, 0, 0}, // one pixel spare on each axis
        {623, 390, 0, 0}, // exactly the window's size
        // A screen smaller than the window: truncation rounds towards zero,
        // not down (-23 / 2 is -11, not -12).
        {600, 380, -11, -5},
        {0, 0, -311, -195},
    };
    for (const PlacementCase& c : cases) {
        WindowCorner corner = centredCorner(c.screenWidth, c.screenHeight);
        EXPECT_EQ(corner.left, c.left) << c.screenWidth << "x" << c.screenHeight;
        EXPECT_EQ(corner.top, c.top) << c.screenWidth << "x" << c.screenHeight;
    }
}

} // namespace
