#include "ui/popup_list.h"

namespace kv12::ui {

namespace {

constexpr int WHEEL_LINES = 3;

}  // namespace

void PopupList::Open(std::vector<std::string> items, std::optional<Rect> at) {
    if (host_ == nullptr) return;
    at_ = at;
    items_ = std::move(items);
    ControlSpec list{layout_.listId, ControlKind::ListBox, ListRect(), STYLE_POPUP_LIST, {}};
    list.selectionFollowsPointer = true;
    host_->CreateControl(list);  // replaces a list of the same id
    for (const std::string& item : items_) host_->AddListItem(layout_.listId, item);
    open_ = true;
}

void PopupList::Close() {
    if (host_ != nullptr && host_->ControlExists(layout_.listId)) host_->DestroyControl(layout_.listId);
    open_ = false;
}

void PopupList::Toggle(std::vector<std::string> items) {
    if (open_) {
        Close();
        return;
    }
    Open(std::move(items));
}

bool PopupList::CloseIfAwayFrom(Point point) {
    if (!open_ || Contains(point)) return false;
    Close();
    return true;
}

std::optional<int> PopupList::ChoiceFrom(int id, int notifyCode) const {
    if (host_ == nullptr || id != layout_.listId) return std::nullopt;
    if (notifyCode != LIST_SELECTION_CHANGED && notifyCode != LIST_DOUBLE_CLICKED) return std::nullopt;
    if (!host_->ControlExists(layout_.listId)) return std::nullopt;
    const int selected = host_->ListSelection(layout_.listId);
    if (selected < 0 || static_cast<std::size_t>(selected) >= items_.size()) return std::nullopt;
    return selected;
}

const std::string& PopupList::ItemText(int position) const {
    static const std::string none;
    if (position < 0 || static_cast<std::size_t>(position) >= items_.size()) return none;
    return items_[static_cast<std::size_t>(position)];
}

void PopupList::Scroll(int wheelDelta) {
    if (host_ == nullptr || !open_ || !host_->ControlExists(layout_.listId)) return;
    host_->ScrollList(layout_.listId, wheelDelta <= 0 ? WHEEL_LINES : -WHEEL_LINES);
}

}  // namespace kv12::ui
