#include "ui/list_choice_dialog.h"

#include <string>
#include <vector>

#include "core/key_tables.h"
#include "core/language.h"
#include "ui/skin_images.h"

namespace kv12::ui {

namespace {

using namespace list_choice_layout;

constexpr ListChoiceTable MEDIA_KEY_CHOICES{
    .frame = {SkinImageName(SkinImage::MediaKeyBackground), MEDIA_DIALOG_LOAD_FAILED},
    .displayId = control_ids::MEDIA_KEY_DISPLAY,
    .listId = control_ids::MEDIA_KEY_LIST,
    .list = MEDIA_LIST,
    .itemCount = MEDIA_KEY_COUNT,
    .itemText = &MediaKeyText,
    .frameTexts = [](const DialogTexts& texts) -> const DialogFrameTexts& { return texts.media.frame; },
};

constexpr ListChoiceTable WINDOWS_KEY_CHOICES{
    .frame = {SkinImageName(SkinImage::WindowsKeyBackground), WINDOWS_DIALOG_LOAD_FAILED},
    .displayId = control_ids::WINDOWS_KEY_DISPLAY,
    .listId = control_ids::WINDOWS_KEY_LIST,
    .list = WINDOWS_LIST,
    .itemCount = APP_KEY_COUNT,
    .itemText = &AppKeyText,
    .frameTexts = [](const DialogTexts& texts) -> const DialogFrameTexts& { return texts.windows.frame; },
};

}  // namespace

CListChoiceDialog::CListChoiceDialog(const ListChoiceTable& table, const SkinState& skin,
                                     std::string_view languageCode, WindowsVersion version)
    : SkinnedDialogBase(table.frame, skin, languageCode, version),
      table_(table),
      chosenText_(table.itemText(0, DialogLanguage())),
      list_({table.listId, table.list, BOX}) {
    AddList(list_);
}

DialogFrameTexts CListChoiceDialog::FrameTexts() const {
    return table_.frameTexts(DialogTextsFor(DialogLanguage()));
}

std::vector<std::string> CListChoiceDialog::Items() const {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(table_.itemCount));
    for (int position = 0; position < table_.itemCount; ++position)
        items.emplace_back(table_.itemText(position, DialogLanguage()));
    return items;
}

void CListChoiceDialog::OnInit() {
    Host().CreateControl({table_.displayId, ControlKind::Static, DISPLAY, STYLE_STATIC, chosenText_});
}

void CListChoiceDialog::OnPress(Point point) {
    if (BOX.Contains(point)) list_.Toggle(Items());
}

void CListChoiceDialog::OnListChoice(PopupList& list, int position) {
    position_ = position;
    chosenText_ = list.ItemText(position);
    Host().SetControlText(table_.displayId, chosenText_);
    Host().InvalidateControl(table_.displayId);
    list.Close();
}

CMediaDialog::CMediaDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version)
    : CListChoiceDialog(MEDIA_KEY_CHOICES, skin, languageCode, version) {}

CWindowsDialog::CWindowsDialog(const SkinState& skin, std::string_view languageCode, WindowsVersion version)
    : CListChoiceDialog(WINDOWS_KEY_CHOICES, skin, languageCode, version) {}

}  // namespace kv12::ui
