// The skin every window draws with: the folder its images come from, the
// skin's name as stored in str.ini, and the colour of every text drawn into a
// canvas. Set at start-up from str.ini and changed only when the user picks a
// skin; the main window holds the one instance and hands it to the dialogs it
// opens, which copy it each time they open.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/language.h"
#include "ui/window_host.h"

namespace kv12::ui {

struct SkinState {
    // Folder of the current skin; every image name ("/button-normal.png") is appended to it.
    std::string SkinPath;
    // Name of the current skin's folder under "Skins"; stored under "Path".
    std::string SkinName;
    // Colour of every text drawn into a canvas; green until str.ini has been read.
    Rgb TextColor{0, 255, 0};
};

/// The folder of a named skin as start-up forms it: the program folder,
/// "/Skins/" and the name. An empty name gives the skins root itself.
std::string SkinFolderFor(const std::filesystem::path& programFolder, std::string_view skinName);

/// The messages about a skin that cannot draw the main window. `image` is the
/// page background's full file name; the message says whether it is missing or
/// cannot be read (checked on disk here), then what the window does about it.
struct SkinProblem {
    std::string image;
    Language language = Language::English;

    /// Start-up used another skin, `usedSkin`, instead.
    std::string UsingInstead(std::string_view usedSkin) const;
    /// No skin under `skinsRoot` can draw the window.
    std::string NoSkinUnder(std::string_view skinsRoot) const;
    /// The skin chooser's pick was refused; the window keeps `keptSkin`.
    std::string Keeping(std::string_view keptSkin) const;

  private:
    std::string What() const;
};

}  // namespace kv12::ui
