#include "ui/list_choice_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/recording_host.h"

namespace kv12::test {
namespace {

using ui::CListChoiceDialog;
using ui::LIST_SELECTION_CHANGED;

constexpr Point BOX{145, 136};  // right of the display, on the box's arrow
constexpr Point AWAY{300, 100};
constexpr Point OK{200, 260};

const ui::SkinState SKIN{"/prog/Skins/Blue", "Blue", {10, 20, 30}};

std::unique_ptr<CListChoiceDialog> MakeMedia(std::string_view language) {
    return std::make_unique<ui::CMediaDialog>(SKIN, language, ui::WindowsVersion{10, 0});
}

std::unique_ptr<CListChoiceDialog> MakeWindows(std::string_view language) {
    return std::make_unique<ui::CWindowsDialog>(SKIN, language, ui::WindowsVersion{10, 0});
}

// One of the two dialogs.
struct Kind {
    const char* name;
    std::unique_ptr<CListChoiceDialog> (*make)(std::string_view language);
    const char* background;
    int display;
    int list;
    Rect listRect;
    std::vector<std::string> englishItems;
};

const Kind MEDIA{"Media",
                 &MakeMedia,
                 "/media-key.png",
                 552,
                 553,
                 {43, 145, 203, 265},
                 {"Next", "Previous", "Stop", "Play/Pause", "Mute", "Vol+", "Vol-"}};
const Kind WINDOWS{
    "Windows",
    &MakeWindows,
    "/windows-key.png",
    532,
    533,
    {43, 145, 203, 305},
    {"Multimedia Player", "Mail", "Calculator", "My Computer", "Browser-Search", "Browser-Home",
     "Browser-Back", "Browser-Forward", "Browser-Stop", "Browser-Refresh", "Browser-My Favorites"}};

class ListChoiceDialogTest : public ::testing::TestWithParam<const Kind*> {
  protected:
    const Kind& K() const { return *GetParam(); }
    void Open(std::string_view language = "") {
        dialog = K().make(language);
        ASSERT_TRUE(dialog->OnInitDialog(host));
        log.clear();
    }
    void Pick(int position) {
        dialog->OnLButtonDown(BOX);
        host.controls[K().list].selection = position;
        dialog->OnCommand(K().list, LIST_SELECTION_CHANGED);
    }

    std::vector<std::string> log;
    RecordingDialogHost host{log};
    std::unique_ptr<CListChoiceDialog> dialog;
};

TEST_P(ListChoiceDialogTest, OpensOnItsBackgroundWithTheFirstItemShown) {
    dialog = K().make("");
    ASSERT_TRUE(dialog->OnInitDialog(host));
    EXPECT_EQ(log,
              (std::vector<std::string>{"SetSkinFolder /prog/Skins/Blue",
                                        "LoadCanvas " + std::string(K().background), "SetFonts Arial Tahoma",
                                        "CreateControl " + std::to_string(K().display) + " 43,129,187,143"}));
    EXPECT_EQ(host.controls[K().display].desc.style, ui::STYLE_STATIC);
    EXPECT_EQ(host.controls[K().display].desc.text, K().englishItems[0]);
    EXPECT_EQ(dialog->Position(), 0);
    EXPECT_EQ(dialog->ChosenText(), K().englishItems[0]);
}

TEST_P(ListChoiceDialogTest, OkWithoutOpeningTheListReturnsTheFirstItem) {
    Open();
    dialog->OnLButtonDown(OK);
    EXPECT_EQ(host.result(), ui::DialogResult::Ok);
    EXPECT_EQ(dialog->Position(), 0);
    EXPECT_EQ(dialog->ChosenText(), K().englishItems[0]);
}

TEST_P(ListChoiceDialogTest, BoxOpensTheListOfAllItemsAndClosesIt) {
    Open();
    dialog->OnLButtonDown(BOX);
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_EQ(host.controls[K().list].desc.rect, K().listRect);
    EXPECT_EQ(host.controls[K().list].desc.style, ui::STYLE_POPUP_LIST);
    EXPECT_TRUE(host.controls[K().list].desc.selectionFollowsPointer);
    EXPECT_EQ(host.controls[K().list].items, K().englishItems);
    log.clear();
    dialog->OnLButtonDown(BOX);
    EXPECT_FALSE(dialog->ListOpen());
    EXPECT_EQ(log, std::vector<std::string>{"DestroyControl " + std::to_string(K().list)});
}

TEST_P(ListChoiceDialogTest, EveryItemCanBeChosenAndIsShown) {
    Open();
    for (int position = static_cast<int>(K().englishItems.size()) - 1; position >= 0; --position) {
        Pick(position);
        EXPECT_EQ(dialog->Position(), position);
        EXPECT_EQ(dialog->ChosenText(), K().englishItems[static_cast<std::size_t>(position)]);
        EXPECT_EQ(host.controls[K().display].desc.text, dialog->ChosenText());
        EXPECT_FALSE(dialog->ListOpen());
        EXPECT_FALSE(host.ControlExists(K().list));
    }
}

TEST_P(ListChoiceDialogTest, PressAwayClosesTheListAndKeepsThePreviousChoice) {
    Open();
    Pick(3);
    dialog->OnLButtonDown(BOX);
    host.controls[K().list].selection = 5;  // the pointer passed over another item
    log.clear();
    dialog->OnLButtonDown(AWAY);
    EXPECT_EQ(log, std::vector<std::string>{"DestroyControl " + std::to_string(K().list)});
    EXPECT_EQ(dialog->Position(), 3);
    EXPECT_EQ(dialog->ChosenText(), K().englishItems[3]);
}

TEST_P(ListChoiceDialogTest, NotificationWithoutASelectionChangesNothing) {
    Open();
    Pick(-1);
    EXPECT_TRUE(dialog->ListOpen());
    EXPECT_EQ(dialog->Position(), 0);
    EXPECT_EQ(host.controls[K().display].desc.text, K().englishItems[0]);
}

INSTANTIATE_TEST_SUITE_P(ListChoiceDialog, ListChoiceDialogTest, ::testing::Values(&MEDIA, &WINDOWS),
                         [](const auto& info) { return std::string(info.param->name); });

// The items in the interface language.
struct LanguageCase {
    const Kind* kind;
    const char* language;
    int position;
    const char* first;   // what the dialog shows when it opens
    const char* chosen;  // the text at `position`
};

TEST(ListChoiceDialog, ChoicesAreInTheInterfaceLanguage) {
    const LanguageCase cases[] = {
        {&WINDOWS, "CHT", 10, "打開多媒體播放器", "瀏覽器-我的最愛"},
        {&WINDOWS, "CHS", 10, "打开多媒体播放器", "浏览器-收藏夹"},
        {&WINDOWS, "", 10, "Multimedia Player", "Browser-My Favorites"},
        {&MEDIA, "", 6, "Next", "Vol-"},
        {&MEDIA, "CHS", 6, "下一首", "音量-"},
        {&MEDIA, "CHT", 3, "下一首", "播放/暫停"},
    };
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(std::string(c.kind->name) + " " + c.language);
        std::vector<std::string> log;
        RecordingDialogHost host(log);
        const auto dialog = c.kind->make(c.language);
        ASSERT_TRUE(dialog->OnInitDialog(host));
        EXPECT_EQ(dialog->ChosenText(), c.first);
        EXPECT_EQ(host.controls[c.kind->display].desc.text, c.first);
        dialog->OnLButtonDown(BOX);
        EXPECT_EQ(host.controls[c.kind->list].items[static_cast<std::size_t>(c.position)], c.chosen);
        host.controls[c.kind->list].selection = c.position;
        dialog->OnCommand(c.kind->list, ui::LIST_DOUBLE_CLICKED);
        dialog->OnEnterKey();
        EXPECT_EQ(host.result(), ui::DialogResult::Ok);
        EXPECT_EQ(dialog->Position(), c.position);
        EXPECT_EQ(dialog->ChosenText(), c.chosen);
        EXPECT_EQ(host.controls[c.kind->display].desc.text, c.chosen);
    }
}

}  // namespace
}  // namespace kv12::test
