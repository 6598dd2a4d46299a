// Start-up with a skin that cannot draw the window, and the skin chooser's
// pick of a folder without the pages' backgrounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/utf8_path.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/skin_images.h"
#include "ui/skins_dialog.h"

namespace kv12::test {
namespace {

constexpr Point SKIN_BUTTON{705, 10};

struct FallbackCase {
    const char* name;
    const char* strIni;                // written as str.ini; empty: no str.ini
    std::vector<const char*> folders;  // skin folders on disk (each with a background file)
    std::vector<const char*> broken;   // skin folders (or "" for the root) whose images do not decode
    const char* expectedSkin;          // the skin the window uses
    const char* expectedMessage;       // %F is the test folder
};

// clang-format off
const std::vector<FallbackCase> FALLBACK_CASES = {
    {"StoredFolderDeletedUsesTheFirstSkinThatDraws",
     "[Skins]\r\nPath=Blue\r\n", {"Amber", "Graphite"}, {"Blue"}, "Amber",
     "The skin picture \"%F/Skins/Blue/BasicSet2.png\" is missing. The window uses the skin \"Amber\" instead; "
     "choose a skin with the skin button to keep another."},
    {"UnreadableBackgroundIsSaidSoAndTheNextSkinIsTried",
     "[Skins]\r\nPath=Amber\r\n", {"Amber", "Blue", "Graphite"}, {"Amber", "Blue"}, "Graphite",
     "The skin picture \"%F/Skins/Amber/BasicSet2.png\" cannot be read. The window uses the skin \"Graphite\" "
     "instead; choose a skin with the skin button to keep another."},
    {"NoStrIniUsesASkinFolderInsteadOfTheRoot",
     "", {"Graphite"}, {""}, "Graphite",
     "The skin picture \"%F/Skins//BasicSet2.png\" is missing. The window uses the skin \"Graphite\" instead; "
     "choose a skin with the skin button to keep another."},
    {"MessageSpeaksTheInterfaceLanguage",
     "[Skins]\r\nLan=CHT\r\nPath=Blue\r\n", {"Ivory"}, {"Blue"}, "Ivory",
     "外觀圖片「%F/Skins/Blue/BasicSet2.png」不存在。視窗改用外觀「Ivory」；可用外觀按鈕選擇其他外觀。"},
};
// clang-format on

std::string Filled(std::string text, const std::string& folder) {
    for (std::size_t at = text.find("%F"); at != std::string::npos;
         at = text.find("%F", at + folder.size())) {
        text.replace(at, 2, folder);
    }
    return text;
}

class SkinFallback : public MainWindowTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(SkinFallback, WindowIsDrawnWithAnotherSkinAndTheUserIsTold) {
    const FallbackCase& c = GetParam();
    writeSampleFiles = false;
    folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    if (*c.strIni) folder.Write("str.ini", c.strIni);
    for (const char* name : c.folders) {
        std::filesystem::create_directories(folder / "Skins" / name);
        folder.Write(std::string("Skins/") + name + "/BasicSet2.png", "png");
    }
    const std::string root = PathToUtf8(folder.path());
    for (const char* name : c.broken) host.brokenSkinFolders.insert(root + "/Skins/" + name);
    Start();

    EXPECT_EQ(window->Skin().SkinName, c.expectedSkin);
    EXPECT_EQ(window->Skin().SkinPath, root + "/Skins/" + c.expectedSkin);
    EXPECT_EQ(host.skinFolder, window->Skin().SkinPath);
    EXPECT_EQ(host.Lines("ShowMessage"),
              std::vector<std::string>{"ShowMessage " + Filled(c.expectedMessage, root) + " | "});
    EXPECT_TRUE(window->BasicPageBuilt());
    // The stored choice stays: the folder may come back.
    if (*c.strIni) {
        EXPECT_EQ(folder.Read("str.ini"), std::string(c.strIni));
    } else {
        EXPECT_FALSE(std::filesystem::exists(folder / "str.ini"));
    }

    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    EXPECT_EQ(host.Count("ShowInForeground"), 1);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, SkinFallback, ::testing::ValuesIn(FALLBACK_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, WithoutAnySkinTheTraySaysWhyInsteadOfShowingAnEmptyWindow) {
    writeSampleFiles = false;
    folder.Write("config.bin", EncodeSettingsFile(SampleBlock()));
    folder.Write("str.ini", "[Skins]\r\nLan=CHS\r\nPath=Blue\r\n");
    std::filesystem::create_directories(folder / "Skins/Broken");
    folder.Write("Skins/Broken/BasicSet2.png", "not a picture");
    const std::string root = PathToUtf8(folder.path());
    host.brokenSkinFolders = {root + "/Skins/Blue", root + "/Skins/Broken"};
    Start();

    // The skins folder is named as the system writes paths (a backslash on
    // Windows), the image by the path the skin's images are drawn from.
    const std::string message = "ShowMessage 皮肤图片“" + root + "/Skins/Blue/BasicSet2.png”不存在。“" +
                                PathToUtf8(folder / "Skins") +
                                "”下没有可以绘制窗口的皮肤。请在其中放入皮肤文件夹后重新启动程序；"
                                "鼠标的设置保持不变。 | ";
    EXPECT_EQ(host.Lines("ShowMessage"), std::vector<std::string>{message});
    EXPECT_EQ(window->Skin().SkinPath, root + "/Skins/Blue");
    EXPECT_FALSE(window->BasicPageBuilt());

    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    EXPECT_EQ(host.log, std::vector<std::string>{message});
}

TEST_F(MainWindowTest, StartUpMessagesComeOnceTheWindowIsWhole) {
    // A tray click while "Config file is not exist." is up must find a
    // painted page, so the message comes after the page is built.
    writeSampleFiles = false;
    folder.Write("str.ini", SAMPLE_STR_INI);
    Start();
    const auto message =
        std::find(host.log.begin(), host.log.end(), "ShowMessage Config file is not exist. | ");
    ASSERT_NE(message, host.log.end());
    const auto present = std::find(host.log.begin(), host.log.end(), "Present");
    EXPECT_LT(present, message);
    EXPECT_EQ(std::find(host.log.begin(), host.log.end(), "LoadCanvas /BasicSet2.png") < message, true);
}

TEST_F(MainWindowTest, TrayClickBeforeStartUpEndsShowsNothing) {
    WriteSampleFiles();
    sim = std::make_unique<SimulatedMouse>(VirtualMouseOptions{});
    window =
        std::make_unique<ui::CHidMouseDlg>(host, sim->link, ProgramFiles::InFolder(folder.path()), version);
    window->FindMouseAtStartup();
    host.log.clear();
    window->OnTrayIcon(ui::TRAY_LEFT_BUTTON_UP);
    EXPECT_TRUE(host.log.empty());
}

struct PickCase {
    const char* name;
    std::vector<const char*> files;  // in the picked folder "Red"
    const char* missing;             // the file the message names; empty: the pick is taken
};

const std::vector<PickCase> PICK_CASES = {
    {"BothBackgroundsPickIsTaken", {"BasicSet2.png", "AdvancedSet2.png"}, ""},
    {"NoBasicBackgroundIsRefused", {"AdvancedSet2.png"}, "BasicSet2.png"},
    {"NoAdvancedBackgroundIsRefused", {"BasicSet2.png"}, "AdvancedSet2.png"},
};

class SkinPick : public MainWindowTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(SkinPick, FolderWithoutThePagesBackgroundsIsRefusedAndNothingStored) {
    const PickCase& c = GetParam();
    std::filesystem::create_directories(folder / "Skins/Blue");
    std::filesystem::create_directories(folder / "Skins/Red");
    for (const char* file : c.files) folder.Write(std::string("Skins/Red/") + file, "png");
    Start();
    const std::string strIniBefore = folder.Read("str.ini");
    const std::string blueFolder = window->Skin().SkinPath;
    host.dialogScript = [](ui::SkinnedDialog& dialog, RecordingDialogHost& dialogHost) {
        dialog.OnLButtonDown({60, 135});                      // the name box opens the list of skins
        dialogHost.controls[ui::SKIN_LIST_ID].selection = 1;  // "Red"
        dialog.OnCommand(ui::SKIN_LIST_ID, ui::LIST_SELECTION_CHANGED);
        dialog.OnLButtonDown({200, 260});  // OK
    };
    host.log.clear();
    window->OnLButtonDown(SKIN_BUTTON);

    const std::string root = PathToUtf8(folder.path());
    if (*c.missing == '\0') {
        EXPECT_EQ(window->Skin().SkinName, "Red");
        EXPECT_TRUE(host.Lines("ShowMessage").empty());
        EXPECT_EQ(IniDocument::Load(folder / "str.ini").GetString("Skins", "Path"), "Red");
        return;
    }
    EXPECT_EQ(
        host.Lines("ShowMessage"),
        std::vector<std::string>{"ShowMessage The skin picture \"" + PathToUtf8(folder / "Skins" / "Red") +
                                 "/" + c.missing + "\" is missing. The window keeps the skin \"Blue\". | "});
    EXPECT_EQ(window->Skin().SkinName, "Blue");
    EXPECT_EQ(window->Skin().SkinPath, blueFolder);
    EXPECT_EQ(host.skinFolder, blueFolder);
    EXPECT_EQ(folder.Read("str.ini"), strIniBefore);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, SkinPick, ::testing::ValuesIn(PICK_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12::test
