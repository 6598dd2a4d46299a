#include "ui/skins_dialog.h"

#include <algorithm>
#include <system_error>

#include "core/dialog_texts.h"
#include "core/language.h"
#include "core/utf8_path.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using namespace skins_layout;

// The platform's folder listing reports these two; they are never skins.
bool IsDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

// Every sub-folder of the root with its name and full path, in name order.
struct SkinFolder {
    std::string name;
    std::string path;
};

std::vector<SkinFolder> EnumerateSkinFolders(const std::filesystem::path& root) {
    std::vector<SkinFolder> folders;
    std::error_code error;
    std::filesystem::directory_iterator it(root, error);
    if (error) return folders;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) break;
        std::error_code typeError;
        if (!it->is_directory(typeError)) continue;
        std::string name = PathToUtf8(it->path().filename());
        if (IsDotEntry(name)) continue;
        folders.push_back({std::move(name), PathToUtf8(it->path())});
    }
    std::sort(folders.begin(), folders.end(),
              [](const SkinFolder& a, const SkinFolder& b) { return a.name < b.name; });
    return folders;
}

}  // namespace

std::vector<std::string> ListSkinFolders(const std::filesystem::path& skinsRoot) {
    std::vector<std::string> names;
    for (auto& folder : EnumerateSkinFolders(skinsRoot)) names.push_back(std::move(folder.name));
    return names;
}

CSkinsDialog::CSkinsDialog(const SkinState& skin, std::filesystem::path skinsRoot,
                           std::string_view languageCode, WindowsVersion version)
    : SkinnedDialogBase({SkinImageName(SkinImage::SkinsBackground), SKINS_DIALOG_LOAD_FAILED}, skin,
                        languageCode, version),
      skinsRoot_(std::move(skinsRoot)),
      color_(skin.TextColor),
      chosenName_(skin.SkinName),
      chosenFolder_(skin.SkinPath),
      list_({SKIN_LIST_ID, SKIN_LIST, NAME_BOX}) {
    AddList(list_);
}

const SkinsDialogTexts& CSkinsDialog::Texts() const {
    return DialogTextsFor(DialogLanguage()).skins;
}

DialogFrameTexts CSkinsDialog::FrameTexts() const {
    return Texts().frame;
}

void CSkinsDialog::OnInit() {
    Host().CreateControl({SKIN_NAME_LABEL_ID, ControlKind::Static, NAME_LABEL, STYLE_STATIC, chosenName_});
    Host().CreateControl(
        {SKIN_COLOR_SWATCH_ID, ControlKind::Static, COLOR_SWATCH, STYLE_STATIC_CENTERED, {}});
}

void CSkinsDialog::Paint() {
    // The prompt keeps the stored colour; only the swatch shows the one being chosen.
    DrawCaption(Texts().colorPrompt, COLOR_PROMPT);
}

void CSkinsDialog::OnPress(Point point) {
    if (NAME_BOX.Contains(point)) ChooseSkinList();
    if (COLOR_SWATCH.Contains(point)) {
        if (const auto chosen = Host().ChooseColor(Rgb{0, 0, 0})) {
            color_ = *chosen;
            Host().InvalidateControl(SKIN_COLOR_SWATCH_ID);
        }
    }
}

void CSkinsDialog::ChooseSkinList() {
    if (!Running()) return;
    list_.Toggle(ListSkinFolders(skinsRoot_));
}

void CSkinsDialog::OnListChoice(PopupList& list, int position) {
    const std::string name = list.ItemText(position);
    list.Close();
    // The folder is looked up again: only a folder that still exists becomes
    // the choice, so the name and the folder written on OK always agree.
    for (const auto& folder : EnumerateSkinFolders(skinsRoot_)) {
        if (folder.name == name) {
            chosenName_ = name;
            chosenFolder_ = folder.path;
            Host().SetControlText(SKIN_NAME_LABEL_ID, chosenName_);
            Host().InvalidateControl(SKIN_NAME_LABEL_ID);
            return;
        }
    }
}

ControlColors CSkinsDialog::ControlColorsFor(int id, ControlKind kind) const {
    if (kind == ControlKind::Static && id == SKIN_COLOR_SWATCH_ID)
        return {.transparent = true, .brush = color_};
    if (kind == ControlKind::Edit) return {.defaultHandling = true};
    return SkinnedDialogBase::ControlColorsFor(id, kind);
}

}  // namespace kv12::ui
