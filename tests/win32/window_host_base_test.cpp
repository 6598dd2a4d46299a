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
        ASSERT_TRUE(
            test::WritePng(skin / "back.png", 30, 20, std::vector<std::uint32_t>(600, 0xFF203040), false));
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
        const auto brush =
            host_.ApplyControlColors(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), 0, colors);
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
    host_.CreateControl(ui::ControlSpec{562, ui::ControlKind::ListBox, ui::Rect{0, 0, 50, 60},
                                        ui::STYLE_POPUP_LIST, "", true});
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
    host_.CreateControl(ui::ControlSpec{152, ui::ControlKind::ListBox, ui::Rect{0, 0, 50, 60},
                                        ui::STYLE_POPUP_LIST, "", true});
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

// --- pixels only while shown ---------------------------------------------------

constexpr int WIDTH = 80;
constexpr int HEIGHT = 40;

// A button of 40 x 16 with its four corner pixels transparent, in one colour.
std::vector<std::uint32_t> ButtonPixels(std::uint32_t colour) {
    std::vector<std::uint32_t> pixels(640, colour);
    for (const int corner : {0, 39, 600, 639}) pixels[static_cast<std::size_t>(corner)] = 0;
    return pixels;
}

// One call of the window on its host.
struct Step {
    enum Kind { Image, Text, Hide, Show } kind;
    std::string name;  // an image, or a text
    ui::Point at{};
    ui::Rect rect{};
};
Step ImageStep(std::string name, ui::Point at) {
    return {Step::Image, std::move(name), at, {}};
}
Step TextStep(std::string text, ui::Rect rect) {
    return {Step::Text, std::move(text), {}, rect};
}
const Step HIDE{Step::Hide, "", {}, {}};
const Step OK_TEXT_STEP{Step::Text, "Ok", {}, {30, 20, 70, 36}};
const Step SHOW{Step::Show, "", {}, {}};

// Two hosts on two windows with the same skin: one is hidden and shown as a
// case says, the other only draws, so that their canvases can be compared.
class HiddenCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        skin_ = folder_ / "Skins" / "Test";
        std::filesystem::create_directories(skin_);
        const auto plain = [](std::uint32_t colour) {
            return std::vector<std::uint32_t>(WIDTH * HEIGHT, colour);
        };
        ASSERT_TRUE(test::WritePng(skin_ / "back.png", WIDTH, HEIGHT, plain(0xFF203040), false));
        ASSERT_TRUE(test::WritePng(skin_ / "page2.png", WIDTH, HEIGHT, plain(0xFF605040), false));
        ASSERT_TRUE(test::WritePng(skin_ / "button-normal.png", 40, 16, ButtonPixels(0xFF3070A0), true));
        ASSERT_TRUE(test::WritePng(skin_ / "button-over.png", 40, 16, ButtonPixels(0xFFE0C020), true));
        ASSERT_TRUE(
            test::WritePng(skin_ / "half.png", 2, 2, std::vector<std::uint32_t>(4, 0x80FFFFFF), true));
        for (Host* host : {&shown_, &hidden_}) {
            HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                            ::GetModuleHandleW(nullptr), nullptr);
            ASSERT_NE(window, nullptr);
            windows_.push_back(window);
            host->host.Attach(window);
            host->host.SetSkinFolder(PathToUtf8(skin_));
            host->host.SetFonts(ui::FontSpec{"Tahoma", 11, 400}, ui::FontSpec{"Tahoma", 13, 700});
            ASSERT_TRUE(host->host.LoadCanvas("/back.png"));
        }
    }
    void TearDown() override {
        for (HWND window : windows_) ::DestroyWindow(window);
    }

    struct Host {
        ImageCache images;
        TestHost host{images};
    };

    static void Run(Host& host, const Step& step) {
        switch (step.kind) {
            case Step::Image:
                host.host.DrawImage(step.name, step.at);
                break;
            case Step::Text:
                host.host.DrawText(step.name, step.rect, ui::TextFormat::Centered, ui::FontRole::Normal,
                                   ui::Rgb{250, 250, 250});
                break;
            case Step::Hide:
                host.host.Hide();
                break;
            case Step::Show:
                host.host.ShowInForeground();
                break;
        }
    }

    // Every pixel of both canvases alike.
    void ExpectSameCanvases() const {
        const Canvas* hidden = hidden_.host.CanvasForTest();
        const Canvas* shown = shown_.host.CanvasForTest();
        ASSERT_NE(hidden, nullptr);
        ASSERT_NE(shown, nullptr);
        int differing = 0;
        for (int y = 0; y < HEIGHT; ++y) {
            for (int x = 0; x < WIDTH; ++x) {
                if (hidden->PixelAt(x, y) != shown->PixelAt(x, y) && ++differing <= 3) {
                    ADD_FAILURE() << "pixel " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(differing, 0);
    }

    std::filesystem::path File(const char* name) const { return skin_ / name; }

    kv12::test::TestFolder folder_;
    std::filesystem::path skin_;
    Host shown_;
    Host hidden_;
    std::vector<HWND> windows_;
};

// The main window starts hidden in the tray: its background is only checked
// and sized, no image is decoded into the cache until the first show, which
// makes the same canvas as a window that drew all along.
TEST_F(HiddenCanvasTest, StartedHiddenKeepsNoPixelsUntilItShows) {
    hidden_.host.KeepNoPixelsWhileHidden();
    const std::size_t decodesBefore = hidden_.images.Decodes();
    ASSERT_TRUE(hidden_.host.LoadCanvas("/back.png"));
    EXPECT_FALSE(hidden_.host.HasCanvas());
    RECT client{};
    ::GetClientRect(windows_[1], &client);
    EXPECT_EQ(client.right, WIDTH);
    EXPECT_EQ(client.bottom, HEIGHT);
    ASSERT_TRUE(shown_.host.LoadCanvas("/back.png"));
    for (const Step& step : {ImageStep("/button-normal.png", {10, 10}), OK_TEXT_STEP}) {
        Run(hidden_, step);
        Run(shown_, step);
    }
    EXPECT_EQ(hidden_.images.Decodes(), decodesBefore);
    EXPECT_FALSE(hidden_.host.HasCanvas());

    Run(hidden_, SHOW);
    EXPECT_GT(hidden_.images.Decodes(), decodesBefore);
    ExpectSameCanvases();
}

// A missing background, and one whose header is sound but whose data is
// cut, fail at start-up, where the window can still turn to another skin.
TEST_F(HiddenCanvasTest, StartedHiddenWithoutAWholeBackgroundFailsAtOnce) {
    const std::string whole = folder_.Read("Skins/Test/back.png");
    folder_.Write("Skins/Test/cut.png", whole.substr(0, whole.size() / 2));
    hidden_.host.KeepNoPixelsWhileHidden();
    for (const char* background : {"/missing.png", "/cut.png"}) {
        ASSERT_TRUE(hidden_.host.LoadCanvas("/back.png"));
        EXPECT_FALSE(hidden_.host.LoadCanvas(background)) << background;
        EXPECT_FALSE(hidden_.host.HasCanvas());
        RECT client{};
        ::GetClientRect(windows_[1], &client);
        EXPECT_EQ(client.right, 0) << background;
    }
}

struct HideCase {
    const char* name;
    std::vector<Step> steps;
};

class HideAndShow : public HiddenCanvasTest, public ::testing::WithParamInterface<HideCase> {};

// The canvas made again on show is the canvas the window left, pixel for
// pixel; while hidden the window holds no canvas, no background and no image.
TEST_P(HideAndShow, MakesTheCanvasTheWindowLeftAndHoldsNoPixelsMeanwhile) {
    for (const Step& step : GetParam().steps) {
        Run(hidden_, step);
        if (step.kind != Step::Hide && step.kind != Step::Show) Run(shown_, step);
        if (step.kind == Step::Hide) {
            EXPECT_FALSE(hidden_.host.HasCanvas());
            EXPECT_EQ(hidden_.images.Size(), 0u);
            EXPECT_TRUE(hidden_.host.BackgroundFileForTest().empty());
        }
    }
    ExpectSameCanvases();
}

const Step OK_TEXT = TextStep("Ok", {30, 20, 70, 36});

INSTANTIATE_TEST_SUITE_P(
    Cases, HideAndShow,
    ::testing::Values(
        HideCase{
            "DrawnThenHidden",
            {ImageStep("/button-normal.png", {30, 20}), OK_TEXT, ImageStep("/half.png", {5, 5}), HIDE, SHOW}},
        HideCase{
            "HoveredBackAndForth",
            {ImageStep("/button-normal.png", {30, 20}), OK_TEXT, ImageStep("/button-over.png", {30, 20}),
             OK_TEXT, ImageStep("/button-normal.png", {30, 20}), OK_TEXT, ImageStep("/half.png", {31, 21}),
             ImageStep("/button-over.png", {30, 20}), OK_TEXT, HIDE, SHOW}},
        HideCase{"DrawnWhileHidden",
                 {ImageStep("/button-normal.png", {30, 20}), HIDE, HIDE,
                  ImageStep("/button-over.png", {30, 20}), OK_TEXT, TextStep("Title", {0, 0, 80, 12}), SHOW}},
        HideCase{"AnotherPageBackground",
                 {ImageStep("/button-normal.png", {30, 20}), ImageStep("/page2.png", {0, 0}),
                  ImageStep("/half.png", {1, 1}), HIDE, SHOW, ImageStep("/back.png", {0, 0}),
                  ImageStep("/button-over.png", {2, 2}), HIDE, SHOW}},
        HideCase{"ShownTwice",
                 {ImageStep("/button-over.png", {10, 10}), HIDE, SHOW, ImageStep("/half.png", {12, 12}), HIDE,
                  SHOW}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HiddenCanvasTest, ThePageBackgroundIsHeldForThePagesDrawsOnlyAndNeverInTheCache) {
    ImageCache& images = shown_.images;
    TestHost& host = shown_.host;
    EXPECT_EQ(images.Decodes(), 1u);
    EXPECT_EQ(host.BackgroundFileForTest(), File("back.png"));
    EXPECT_FALSE(images.Contains(File("back.png")));
    // The page drawn again over the whole canvas decodes nothing.
    ASSERT_TRUE(host.DrawImage("/back.png", {0, 0}));
    EXPECT_EQ(images.Decodes(), 1u);
    // The other page's background takes its place: still one background, and none in the cache.
    ASSERT_TRUE(host.DrawImage("/page2.png", {0, 0}));
    EXPECT_EQ(host.BackgroundFileForTest(), File("page2.png"));
    EXPECT_FALSE(images.Contains(File("page2.png")));
    EXPECT_EQ(host.CanvasForTest()->PixelAt(5, 5), RGB(0x60, 0x50, 0x40));
    ASSERT_TRUE(host.DrawImage("/page2.png", {0, 0}));
    EXPECT_EQ(images.Decodes(), 2u);
    // An element image is kept in the cache as before.
    ASSERT_TRUE(host.DrawImage("/button-normal.png", {0, 0}));
    EXPECT_TRUE(images.Contains(File("button-normal.png")));
    // Once the page is presented only the canvas holds the background; the
    // next page drawn over it decodes its background again.
    host.Present();
    EXPECT_TRUE(host.BackgroundFileForTest().empty());
    EXPECT_FALSE(images.Contains(File("page2.png")));
    const std::size_t beforeNextPage = images.Decodes();
    ASSERT_TRUE(host.DrawImage("/page2.png", {0, 0}));
    EXPECT_EQ(images.Decodes(), beforeNextPage + 1);
    EXPECT_TRUE(images.Contains(File("button-normal.png")));
}

// Hover images asked for ahead are decoded with the page: a pass of the
// pointer over every region decodes nothing, also after a hide and a show.
TEST_F(HiddenCanvasTest, AfterThePageIsDrawnHoveringDecodesNothing) {
    ImageCache& images = hidden_.images;
    TestHost& host = hidden_.host;
    const std::vector<ui::Point> buttons = {{0, 0}, {40, 0}, {0, 20}};
    const auto drawPage = [&] {
        for (const ui::Point at : buttons) host.DrawImage("/button-normal.png", at);
        host.PrepareImage("/button-over.png");
    };
    const auto sweep = [&] {
        for (const ui::Point at : buttons) {
            host.DrawImage("/button-over.png", at);
            host.DrawImage("/button-normal.png", at);
        }
    };
    drawPage();
    const std::size_t afterPage = images.Decodes();
    EXPECT_EQ(afterPage, 3u) << "the background, the normal and the over image";
    sweep();
    EXPECT_EQ(images.Decodes(), afterPage);
    host.Hide();
    host.ShowInForeground();
    const std::size_t afterShow = images.Decodes();
    EXPECT_EQ(afterShow, afterPage + 3) << "the same three again";
    sweep();
    EXPECT_EQ(images.Decodes(), afterShow);
}

// Hovering back and forth replaces the earlier draws of the same region:
// what the host keeps to make the canvas again does not grow.
TEST_F(HiddenCanvasTest, HoveringBackAndForthDoesNotGrowWhatIsKeptForTheNextShow) {
    TestHost& host = hidden_.host;
    const auto drawButton = [&](const char* image) {
        host.DrawImage(image, {30, 20});
        host.DrawText("Ok", {30, 20, 70, 36}, ui::TextFormat::Centered, ui::FontRole::Normal,
                      ui::Rgb{250, 250, 250});
    };
    drawButton("/button-normal.png");
    host.DrawImage("/half.png", {2, 2});
    const std::size_t kept = host.RecipeForTest().DrawCount();
    EXPECT_EQ(kept, 3u);
    for (int i = 0; i < 20; ++i) {
        drawButton("/button-over.png");
        drawButton("/button-normal.png");
    }
    EXPECT_EQ(host.RecipeForTest().DrawCount(), kept);
    // A page background starts it afresh.
    host.DrawImage("/page2.png", {0, 0});
    EXPECT_EQ(host.RecipeForTest().DrawCount(), 0u);
    EXPECT_EQ(host.RecipeForTest().Base(), File("page2.png"));
}

// Draws that keep blending into each other cannot all be kept: past the
// limit the canvas itself stays while hidden, until a page background
// starts the recipe afresh.
TEST_F(HiddenCanvasTest, PastTheLimitOfDrawsTheCanvasStaysWhileHidden) {
    TestHost& host = hidden_.host;
    for (std::size_t i = 0; i <= CanvasRecipe::MAX_DRAWS; ++i) host.DrawImage("/half.png", {7, 7});
    ASSERT_FALSE(host.RecipeForTest().Complete());
    const COLORREF blended = host.CanvasForTest()->PixelAt(7, 7);
    host.Hide();
    ASSERT_TRUE(host.HasCanvas());
    EXPECT_EQ(hidden_.images.Size(), 0u);
    host.ShowInForeground();
    EXPECT_EQ(host.CanvasForTest()->PixelAt(7, 7), blended);
    host.DrawImage("/back.png", {0, 0});
    EXPECT_TRUE(host.RecipeForTest().Complete());
    host.Hide();
    EXPECT_FALSE(host.HasCanvas());
}

}  // namespace
}  // namespace kv12::win32
