#include "ui/skins_dialog.h"

#include <algorithm>
#include <system_error>

#include "core/dialog_texts.h"
#include "core/language.h"
#include "core/utf8_path.h"
#include "ui/skin_images.h"
#include "ui/window_fonts.h"

namespace kv12::ui {

namespace {

using namespace skins_layout;

constexpr Rgb DIALOG_GROUND{40, 40, 40};
constexpr Rgb WHITE{255, 255, 255};

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
    : skin_(skin),
      skinsRoot_(std::move(skinsRoot)),
      languageCode_(languageCode),
      version_(version),
      color_(skin.TextColor),
      chosenName_(skin.SkinName),
      chosenFolder_(skin.SkinPath) {}

bool CSkinsDialog::OnInitDialog(DialogHost& host) {
    host_ = &host;
    host.SetSkinFolder(skin_.SkinPath);
    canvasLoaded_ = host.LoadCanvas(SkinImageName(SkinImage::SkinsBackground));
    if (!canvasLoaded_) {
        host.ShowMessage(LOAD_FAILED_TEXT, SKINS_DIALOG_LOAD_FAILED);
        return false;
    }
    const WindowFonts fonts = FontsFor(languageCode_, version_);
    host.SetFonts(fonts.normal, fonts.title);
    host.CreateControl({SKIN_NAME_LABEL_ID, ControlKind::Static, NAME_LABEL, STYLE_STATIC, chosenName_});
    host.CreateControl({SKIN_COLOR_SWATCH_ID, ControlKind::Static, COLOR_SWATCH, STYLE_STATIC_CENTERED, {}});
    return true;
}

const SkinsDialogTexts& CSkinsDialog::Texts() const {
    return DialogTextsFor(LanguageFromCode(languageCode_)).skins;
}

Rect CSkinsDialog::ButtonRect(Button button) {
    switch (button) {
        case Button::Close:
            return CLOSE_BUTTON;
        case Button::Ok:
            return OK_BUTTON;
        case Button::Cancel:
            break;
    }
    return CANCEL_BUTTON;
}

void CSkinsDialog::DrawButton(Button button, bool over) {
    const Rect rect = ButtonRect(button);
    if (button == Button::Close) {
        host_->DrawImage(SkinImageName(over ? SkinImage::CloseOver : SkinImage::CloseNormal), rect.TopLeft());
        return;
    }
    host_->DrawImage(SkinImageName(over ? SkinImage::ButtonOver : SkinImage::ButtonNormal), rect.TopLeft());
    const std::string_view caption = button == Button::Ok ? Texts().frame.ok : Texts().frame.cancel;
    host_->DrawText(caption, rect, TextFormat::Centered, FontRole::Normal, skin_.TextColor);
}

void CSkinsDialog::OnEraseBackground() {
    if (host_ == nullptr || !canvasLoaded_) return;
    DrawButton(Button::Ok, false);
    DrawButton(Button::Cancel, false);
    DrawButton(Button::Close, false);
    // The prompt keeps the stored colour; only the swatch shows the one being chosen.
    host_->DrawText(Texts().colorPrompt, COLOR_PROMPT, TextFormat::Centered, FontRole::Normal,
                    skin_.TextColor);
    host_->Present();
}

void CSkinsDialog::OnMouseMove(Point point) {
    if (host_ == nullptr) return;
    for (Button button : {Button::Close, Button::Ok, Button::Cancel}) {
        if (ButtonRect(button).Contains(point)) {
            host_->TrackHover();
            return;
        }
    }
    bool drawn = false;
    for (Button button : {Button::Close, Button::Ok, Button::Cancel}) {
        auto& flag = hoverFlags_[static_cast<std::size_t>(button)];
        if (!flag) continue;
        DrawButton(button, false);
        flag = false;
        drawn = true;
    }
    if (drawn) host_->Present();
}

void CSkinsDialog::OnMouseHover(Point point) {
    if (host_ == nullptr) return;
    for (Button button : {Button::Close, Button::Ok, Button::Cancel}) {
        if (!ButtonRect(button).Contains(point)) continue;
        DrawButton(button, true);
        hoverFlags_[static_cast<std::size_t>(button)] = true;
        // OK and Cancel are one group; the close button is alone.
        if (button != Button::Close) {
            const Button other = button == Button::Ok ? Button::Cancel : Button::Ok;
            auto& otherFlag = hoverFlags_[static_cast<std::size_t>(other)];
            if (otherFlag) {
                DrawButton(other, false);
                otherFlag = false;
            }
        }
        host_->Present();
        return;
    }
}

void CSkinsDialog::OnLButtonDown(Point point) {
    if (host_ == nullptr) return;
    if (listOpen_ && !SKIN_LIST.Contains(point) && !NAME_BOX.Contains(point)) {
        if (host_->ControlExists(SKIN_LIST_ID)) host_->DestroyControl(SKIN_LIST_ID);
        listOpen_ = false;
    }
    if (OK_BUTTON.Contains(point)) host_->EndDialog(DialogResult::Ok);
    if (CANCEL_BUTTON.Contains(point) || CLOSE_BUTTON.Contains(point)) host_->EndDialog(DialogResult::Cancel);
    if (NAME_BOX.Contains(point)) ChooseSkinList();
    if (COLOR_SWATCH.Contains(point)) {
        if (const auto chosen = host_->ChooseColor(Rgb{0, 0, 0})) {
            color_ = *chosen;
            host_->InvalidateControl(SKIN_COLOR_SWATCH_ID);
        }
    }
}

void CSkinsDialog::ChooseSkinList() {
    if (host_ == nullptr) return;
    if (listOpen_) {
        if (host_->ControlExists(SKIN_LIST_ID)) host_->DestroyControl(SKIN_LIST_ID);
        listOpen_ = false;
        return;
    }
    if (!host_->ControlExists(SKIN_LIST_ID)) {
        ControlSpec list{SKIN_LIST_ID, ControlKind::ListBox, SKIN_LIST, STYLE_POPUP_LIST, {}};
        list.selectionFollowsPointer = true;
        host_->CreateControl(list);
        listed_ = ListSkinFolders(skinsRoot_);
        for (const auto& name : listed_) host_->AddListItem(SKIN_LIST_ID, name);
    }
    listOpen_ = true;
}

void CSkinsDialog::OnCommand(int id, int notifyCode) {
    if (id != SKIN_LIST_ID) return;
    if (notifyCode == LIST_SELECTION_CHANGED || notifyCode == LIST_DOUBLE_CLICKED) OnListChoice();
}

void CSkinsDialog::OnListChoice() {
    listOpen_ = false;
    if (!host_->ControlExists(SKIN_LIST_ID)) return;
    const int selected = host_->ListSelection(SKIN_LIST_ID);
    if (selected < 0 || static_cast<std::size_t>(selected) >= listed_.size()) return;
    const std::string name = listed_[static_cast<std::size_t>(selected)];
    host_->DestroyControl(SKIN_LIST_ID);

    // The folder is looked up again: only a folder that still exists becomes
    // the choice, so the name and the folder written on OK always agree.
    for (const auto& folder : EnumerateSkinFolders(skinsRoot_)) {
        if (folder.name == name) {
            chosenName_ = name;
            chosenFolder_ = folder.path;
            host_->SetControlText(SKIN_NAME_LABEL_ID, chosenName_);
            host_->InvalidateControl(SKIN_NAME_LABEL_ID);
            return;
        }
    }
}

void CSkinsDialog::OnMouseWheel(int delta) {
    if (host_ == nullptr || !host_->ControlExists(SKIN_LIST_ID)) return;
    // Three lines a notch, down for a zero or negative delta.
    host_->ScrollList(SKIN_LIST_ID, delta <= 0 ? 3 : -3);
}

ControlColors CSkinsDialog::ControlColorsFor(int id, ControlKind kind) const {
    if (kind == ControlKind::Static && id == SKIN_COLOR_SWATCH_ID)
        return {.transparent = true, .brush = color_};
    if (kind == ControlKind::Static || kind == ControlKind::ListBox) {
        return {.text = WHITE, .transparent = true, .useNormalFont = true, .brush = DIALOG_GROUND};
    }
    return {.defaultHandling = true};
}

}  // namespace kv12::ui
