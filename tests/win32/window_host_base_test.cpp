#include "win32/window_host_base.h"

#include <gtest/gtest.h>

#include "../core/test_folder.h"
#include "core/utf8_path.h"
#include "png_writer.h"

namespace kv12::win32 {
namespace {

class TestHost final : public WindowHostBase<ui::DialogHost> {
public:
    explicit TestHost(ImageCache& images) : WindowHostBase(HostContext{&images, L"test", nullptr}, false) {}
    void EndDialog(ui::DialogResult) override {}
};

// A hidden popup window with a skin folder holding a 30 x 20 background and a dot.
class WindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_ / "Skins" / "Test");
        const auto skin = folder_ / "Skins" / "Test";
        ASSERT_TRUE(test::WritePng(skin / "back.png", 30, 20, std::vector<std::uint32_t>(600, 0xFF203040), false));
        ASSERT_TRUE(test::WritePng(skin / "dot.png", 1, 1, {0xFFFF0000}, true));
        window_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        host_.Attach(window_);
        host_.SetSkinFolder(PathToUtf8(skin));
    }
    void TearDown() override { ::DestroyWindow(window_); }

    SIZE ClientSize() const {
        RECT client{};
        ::GetClientRect(window_, &client);
        return SIZE{client.right, client.bottom};
    }

    kv12::test::TestFolder folder_;
    ImageCache images_;
    TestHost host_{images_};
    HWND window_ = nullptr;
};

TEST_F(WindowHostTest, TheBackgroundBecomesTheCanvasAndSizesTheWindow) {
    ASSERT_TRUE(host_.LoadCanvas("/back.png"));
    EXPECT_EQ(ClientSize().cx, 30);
    EXPECT_EQ(ClientSize().cy, 20);
    ASSERT_TRUE(host_.DrawImage("/dot.png", ui::Point{4, 5}));
    EXPECT_EQ(host_.CanvasForTest()->PixelAt(4, 5), RGB(255, 0, 0));
    EXPECT_EQ(host_.CanvasForTest()->PixelAt(5, 5), RGB(0x20, 0x30, 0x40));
}

TEST_F(WindowHostTest, AMissingBackgroundLeavesNoCanvasAndAZeroSizedWindow) {
    EXPECT_FALSE(host_.LoadCanvas("/missing.png"));
    EXPECT_FALSE(host_.HasCanvas());
    EXPECT_EQ(ClientSize().cx, 0);
    EXPECT_EQ(ClientSize().cy, 0);
    EXPECT_FALSE(host_.DrawImage("/dot.png", ui::Point{0, 0}));
}

TEST_F(WindowHostTest, AMissingElementImageDrawsNothing) {
    ASSERT_TRUE(host_.LoadCanvas("/back.png"));
    EXPECT_FALSE(host_.DrawImage("/button-over.png", ui::Point{0, 0}));
    EXPECT_EQ(host_.CanvasForTest()->PixelAt(0, 0), RGB(0x20, 0x30, 0x40));
}

TEST_F(WindowHostTest, ControlColoursHoldOneBrushAndReplaceItForAnotherColour) {
    ScopedGetDC dc(window_);
    const auto ask = [&](ui::Rgb color) {
        ui::ControlColors colors;
        colors.text = ui::Rgb{255, 255, 255};
        colors.transparent = true;
        colors.brush = color;
        const auto brush = host_.ApplyControlColors(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), 0, colors);
        return brush ? reinterpret_cast<HBRUSH>(*brush) : nullptr;
    };
    const HBRUSH first = ask(ui::Rgb{40, 40, 40});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ask(ui::Rgb{40, 40, 40}), first) << "the same colour needs no new brush";
    EXPECT_EQ(::GetTextColor(dc.Get()), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT);
    // List boxes draw their items opaquely whatever the mode: the items then
    // take the brush's colour rather than the default white.
    EXPECT_EQ(::GetBkColor(dc.Get()), RGB(40, 40, 40));
    const HBRUSH second = ask(ui::Rgb{100, 150, 100});
    ASSERT_NE(second, nullptr);
    LOGBRUSH described{};
    ASSERT_NE(::GetObjectW(second, sizeof(described), &described), 0);
    EXPECT_EQ(described.lbColor, RGB(100, 150, 100));
    // The first brush was deleted when the second was made: brushes never pile up.
    EXPECT_EQ(::GetObjectType(first), 0u);
}

TEST_F(WindowHostTest, AnExplicitBackgroundColourWinsOverTheBrushColour) {
    ScopedGetDC dc(window_);
    ui::ControlColors colors;
    colors.transparent = true;
    colors.background = ui::Rgb{0, 0, 0};
    colors.brush = ui::Rgb{100, 150, 100};
    ASSERT_TRUE(host_.ApplyControlColors(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), 0, colors));
    EXPECT_EQ(::GetBkColor(dc.Get()), RGB(0, 0, 0));
}

TEST_F(WindowHostTest, DefaultHandlingLeavesTheControlToTheSystem) {
    ScopedGetDC dc(window_);
    ui::ControlColors colors;
    colors.defaultHandling = true;
    EXPECT_FALSE(host_.ApplyControlColors(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Get()), 0, colors));
}

TEST_F(WindowHostTest, ListBoxesAreCreatedFilledReadAndDestroyedById) {
    host_.CreateControl(ui::ControlSpec{562, ui::ControlKind::ListBox, ui::Rect{0, 0, 50, 60}, ui::STYLE_POPUP_LIST, "",
                                        true});
    ASSERT_TRUE(host_.ControlExists(562));
    host_.AddListItem(562, "Graphite");
    host_.AddListItem(562, "象牙");
    EXPECT_EQ(host_.ListSelection(562), -1);
    ::SendMessageW(::GetDlgItem(window_, 562), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(host_.ListSelection(562), 1);
    wchar_t text[16]{};
    ::SendMessageW(::GetDlgItem(window_, 562), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"象牙");
    host_.DestroyControl(562);
    EXPECT_FALSE(host_.ControlExists(562));
    EXPECT_EQ(host_.ListSelection(562), -1);
    EXPECT_EQ(::GetDlgItem(window_, 562), nullptr);
}

TEST_F(WindowHostTest, ListItemsAreInsertedDeletedAndReadBack) {
    host_.CreateControl(ui::ControlSpec{152, ui::ControlKind::ListBox, ui::Rect{0, 0, 50, 60}, ui::STYLE_POPUP_LIST, "",
                                        true});
    host_.AddListItem(152, "A   Dn");
    host_.AddListItem(152, "A   Up");
    host_.InsertListItem(152, 1, "50 ms");
    host_.InsertListItem(152, 3, "延时");  // at the end
    host_.InsertListItem(152, 99, "last");
    ASSERT_EQ(host_.ListItemCount(152), 5);
    EXPECT_EQ(host_.ListItemText(152, 0), "A   Dn");
    EXPECT_EQ(host_.ListItemText(152, 1), "50 ms");
    EXPECT_EQ(host_.ListItemText(152, 3), "延时");
    EXPECT_EQ(host_.ListItemText(152, 4), "last");
    EXPECT_EQ(host_.ListItemText(152, 5), "");
    host_.DeleteListItem(152, 0);
    host_.DeleteListItem(152, 7);  // out of range: nothing
    EXPECT_EQ(host_.ListItemCount(152), 4);
    EXPECT_EQ(host_.ListItemText(152, 0), "50 ms");
    host_.ClearList(152);
    EXPECT_EQ(host_.ListItemCount(152), 0);
    EXPECT_EQ(host_.ListItemCount(999), 0);
    EXPECT_EQ(host_.ListItemText(999, 0), "");
}

TEST_F(WindowHostTest, TextFormatsMapToTheirDrawTextFlags) {
    EXPECT_EQ(DrawTextFlags(ui::TextFormat::WrappedLeft), static_cast<UINT>(DT_WORDBREAK));
    EXPECT_EQ(DrawTextFlags(ui::TextFormat::Centered), 0x25u);
    EXPECT_EQ(DrawTextFlags(ui::TextFormat::Left), 0x24u);
    EXPECT_EQ(DrawTextFlags(ui::TextFormat::Right), static_cast<UINT>(DT_RIGHT | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(ControlKindOf(WM_CTLCOLORLISTBOX), ui::ControlKind::ListBox);
    EXPECT_EQ(ControlKindOf(WM_CTLCOLORSCROLLBAR), ui::ControlKind::Other);
}

}  // namespace
}  // namespace kv12::win32
