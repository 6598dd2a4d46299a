// Every dialog's layout against the backgrounds the program ships: each text
// it draws, each control it creates and each list it opens lies inside the
// background picture of both skins, so nothing is cut off at the window's
// edge or drawn where the picture has no room for it.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/core/test_folder.h"
#include "tests/ui/recording_host.h"
#include "ui/delay_time_dialog.h"
#include "ui/fire_key_dialog.h"
#include "ui/key_dialogs.h"
#include "ui/list_choice_dialog.h"
#include "ui/macro_dialog.h"
#include "ui/skins_dialog.h"

namespace kv12::test {
namespace {

using ui::SkinnedDialogBase;

const std::filesystem::path SKINS = KV12_SKINS_DIR;
const std::array<const char*, 2> SHIPPED_SKINS = {"Graphite", "Ivory"};
const ui::WindowsVersion WINDOWS_10{10, 0};

// Width and height from a PNG file's header; nullopt for anything else.
std::optional<std::pair<int, int>> PngSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 24> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return std::nullopt;
    const auto be32 = [&](std::size_t at) {
        return static_cast<int>(header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 |
                                header[at + 3]);
    };
    if (header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return std::nullopt;
    return std::pair{be32(16), be32(20)};
}

// The rectangle a log line places something at: "CreateControl 502 74,128,150,142",
// "DrawText [OK] 166,253,271,274 Centered"; nullopt for other lines.
std::optional<Rect> PlacedRect(const std::string& line) {
    std::string rest;
    if (line.starts_with("CreateControl ")) {
        rest = line.substr(line.find(' ', 14) + 1);
    } else if (line.starts_with("DrawText [")) {
        rest = line.substr(line.rfind("] ") + 2);
    } else {
        return std::nullopt;
    }
    Rect r;
    char comma = 0;
    std::istringstream in(rest);
    if (!(in >> r.left >> comma >> r.top >> comma >> r.right >> comma >> r.bottom)) return std::nullopt;
    return r;
}

struct LayoutCase {
    const char* name;
    const char* background;
    std::function<std::unique_ptr<SkinnedDialogBase>(const ui::SkinState&, const std::string& language,
                                                     const std::filesystem::path& recordIni)>
        make;
    std::vector<Point> openers;  // presses that open the dialog's lists
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

template <typename Dialog>
auto Plain() {
    return [](const ui::SkinState& skin, const std::string& language, const std::filesystem::path&) {
        return std::unique_ptr<SkinnedDialogBase>(std::make_unique<Dialog>(skin, language, WINDOWS_10));
    };
}

const LayoutCase CASES[] = {
    {"Single", "single-key.png", Plain<ui::CSingleDialog>(), {}},
    {"Combo", "combo-key.png", Plain<ui::CComboDialog>(), {{60, 75}}},
    {"FireKey", "fire-key.png", Plain<ui::CFireKeyDialog>(), {{60, 75}}},
    {"DelayTime", "delay-time.png", Plain<ui::CDelayTimeDialog>(), {}},
    {"Media", "media-key.png", Plain<ui::CMediaDialog>(), {{60, 135}}},
    {"Windows", "windows-key.png", Plain<ui::CWindowsDialog>(), {{60, 135}}},
    {"Macro",
     "macro-key.png",
     [](const ui::SkinState& skin, const std::string& language, const std::filesystem::path& recordIni) {
         return std::unique_ptr<SkinnedDialogBase>(
             std::make_unique<ui::CMacroDialog>(skin, language, WINDOWS_10, recordIni));
     },
     {{60, 135}}},
    {"Skins",
     "skins.png",
     [](const ui::SkinState& skin, const std::string& language, const std::filesystem::path&) {
         return std::unique_ptr<SkinnedDialogBase>(
             std::make_unique<ui::CSkinsDialog>(skin, SKINS, language, WINDOWS_10));
     },
     {{60, 135}}},
};

class DialogLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DialogLayout, EverythingLiesInsideTheShippedBackgrounds) {
    const LayoutCase& c = GetParam();
    TestFolder folder;
    folder.Write("record.ini", "[One]\r\nItemCount=0\r\n[Two]\r\nItemCount=0\r\n[Three]\r\nItemCount=0\r\n");

    for (const char* skinName : SHIPPED_SKINS) {
        const auto size = PngSize(SKINS / skinName / c.background);
        ASSERT_TRUE(size) << skinName << "/" << c.background;
        const auto [width, height] = *size;
        for (const std::string language : {"", "CHS", "CHT"}) {
            std::vector<std::string> log;
            RecordingDialogHost host(log);
            const auto dialog = c.make({(SKINS / skinName).string(), skinName, {200, 200, 200}}, language,
                                       folder / "record.ini");
            ASSERT_TRUE(dialog->OnInitDialog(host));
            dialog->OnEraseBackground();
            for (const Point& opener : c.openers) {
                dialog->OnLButtonDown(opener);
                EXPECT_FALSE(host.controls.empty());
                dialog->OnLButtonDown(opener);
            }
            int placed = 0;
            for (const std::string& line : log) {
                const auto rect = PlacedRect(line);
                if (!rect) continue;
                ++placed;
                // A centred text may start left of the window (the macro
                // dialog's prompt does); what it covers must end inside.
                if (line.starts_with("CreateControl")) {
                    EXPECT_GE(rect->left, 0) << line;
                    EXPECT_GE(rect->top, 0) << line;
                }
                EXPECT_LE(rect->right, width) << skinName << " " << language << ": " << line;
                EXPECT_LE(rect->bottom, height) << skinName << " " << language << ": " << line;
            }
            EXPECT_GE(placed, 2) << "the OK and Cancel captions at the least";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLayout, ::testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12::test
