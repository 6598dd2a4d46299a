#include "ui/assignment_area.h"

#include <algorithm>
#include <utility>

#include "core/dialog_texts.h"
#include "core/key_function.h"
#include "core/key_tables.h"
#include "core/language.h"
#include "ui/control_ids.h"
#include "ui/default_item_texts.h"
#include "ui/main_window_layout.h"

namespace kv12::ui {

namespace {

using layout::DropDownBox;

constexpr std::uint8_t KIND_SHIFT = static_cast<std::uint8_t>(KeyFunctionKind::Shift);
constexpr std::uint8_t KIND_LEFT_CLICK = static_cast<std::uint8_t>(KeyFunctionKind::LeftClick);
constexpr std::uint8_t KIND_DPI_SWITCH = static_cast<std::uint8_t>(KeyFunctionKind::DpiSwitch);

constexpr KeyMode Other(KeyMode mode) {
    return mode == KeyMode::A ? KeyMode::B : KeyMode::A;
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::string Replace(std::string_view format, std::string_view placeholder, std::string_view value) {
    std::string text(format);
    if (const auto at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

}  // namespace

AssignmentArea::AssignmentArea(const PageContext& context, AssignmentDialogs& dialogs,
                               std::function<void()> redrawKeyArea)
    : context_(context),
      dialogs_(dialogs),
      redrawKeyArea_(std::move(redrawKeyArea)),
      sideList_({control_ids::DPI_SIDE_LIST, {}, {}}) {
    lists_.reserve(BUTTON_COUNT);
    for (int button = 1; button <= BUTTON_COUNT; ++button) {
        lists_.emplace_back(PopupList::Layout{control_ids::AssignmentList(button), AssignmentListRect(button),
                                              DropDownBox(button)});
        lists_.back().Bind(context_.host);
    }
    sideList_.Bind(context_.host);
}

KeyMode AssignmentArea::EditedMode() const {
    return context_.store.block.keyMode() == static_cast<std::uint8_t>(KeyMode::B) ? KeyMode::B : KeyMode::A;
}

std::string& AssignmentArea::TextOf(KeyMode mode, int slot) {
    const int index = (mode == KeyMode::B ? BUTTON_COUNT : 0) + slot;
    return context_.itemTexts[static_cast<std::size_t>(index)];
}

std::string AssignmentArea::KindText(int kind) const {
    return std::string(KeyFunctionKindText(kind, LanguageFromCode(context_.languageCode)));
}

std::optional<int> AssignmentArea::OpenButton() const {
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        if (lists_[i].IsOpen()) return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

void AssignmentArea::CloseAll() {
    sideList_.Close();
    for (PopupList& list : lists_) {
        if (list.IsOpen()) list.Close();
    }
}

void AssignmentArea::TearDown() {
    CloseAll();
}

void AssignmentArea::CloseListsAwayFrom(Point point) {
    if (sideList_.IsOpen()) sideList_.Close();
    for (PopupList& list : lists_) list.CloseIfAwayFrom(point);
}

bool AssignmentArea::OnPress(Point point) {
    for (int button = 1; button <= ASSIGNMENT_BUTTONS; ++button) {
        if (DropDownBox(button).Contains(point)) {
            ToggleAssignmentList(button);
            return true;
        }
    }
    if (layout::MODE_A_BUTTON.Contains(point)) {
        SelectKeyMode(static_cast<int>(KeyMode::A));
        return true;
    }
    if (layout::MODE_B_BUTTON.Contains(point)) {
        SelectKeyMode(static_cast<int>(KeyMode::B));
        return true;
    }
    if (layout::KEY_DEFAULTS_BUTTON.Contains(point)) {
        RestoreDefaultKeys();
        return true;
    }
    return false;
}

void AssignmentArea::ToggleAssignmentList(int button) {
    if (button < 1 || button > ASSIGNMENT_BUTTONS) return;
    PopupList& list = lists_[static_cast<std::size_t>(button - 1)];
    if (list.IsOpen()) {
        CloseAll();
        return;
    }
    CloseAll();

    // The table on show keeps at least one Left Click: the list of its only
    // holder does not open.
    const SettingsBlock& block = context_.store.block;
    const KeyMode mode = EditedMode();
    const int slot = button - 1;
    if (block.buttonType(mode, slot) == KIND_LEFT_CLICK) {
        bool anotherLeft = false;
        for (int other = 0; other < BUTTON_COUNT; ++other) {
            if (other != slot && block.buttonType(mode, other) == KIND_LEFT_CLICK) anotherLeft = true;
        }
        if (!anotherLeft) {
            context_.host.ShowMessage(context_.texts[TXT_LEFT_KEY_REQUIRED], WARNING_CAPTION);
            return;
        }
    }

    std::vector<std::string> items;
    for (int kind = 0; kind < KEY_FUNCTION_KIND_COUNT; ++kind) items.push_back(KindText(kind));
    list.Open(std::move(items));
}

bool AssignmentArea::OnCommand(int id, int notifyCode) {
    if (id == control_ids::DPI_SIDE_LIST) {
        // Only a click chooses a step; the pointer's passing selects without a notification.
        if (notifyCode != LIST_SELECTION_CHANGED) return true;
        if (const auto position = sideList_.ChoiceFrom(id, notifyCode)) OnDpiStepChosen(*position);
        return true;
    }
    const int slot = id - control_ids::FIRST_ASSIGNMENT_LIST;
    if (slot < 0 || slot >= BUTTON_COUNT) return false;
    const PopupList& list = lists_[static_cast<std::size_t>(slot)];
    if (!list.IsOpen()) return true;
    if (const auto position = list.ChoiceFrom(id, notifyCode)) OnAssignmentChosen(slot, *position);
    return true;
}

void AssignmentArea::OnListPointerMove(int listId, int item) {
    const auto button = OpenButton();
    if (!button || control_ids::AssignmentList(*button) != listId) return;
    if (item != DPI_SWITCH_ITEM) {
        if (sideList_.IsOpen()) sideList_.Close();
        return;
    }
    if (sideList_.IsOpen()) return;
    const auto itemRect = context_.host.ListItemRect(listId, item);
    if (!itemRect) return;
    // Beside the item: the item's rectangle is relative to the list.
    const Rect list = lists_[static_cast<std::size_t>(*button - 1)].ListRect();
    const int left = list.left + itemRect->right;
    const int top = list.top + itemRect->top;
    std::vector<std::string> steps;
    for (int step = 1; step <= DPI_STEP_COUNT; ++step) steps.emplace_back(DpiStepText(step));
    sideList_.Open(std::move(steps), Rect{left, top, left + DPI_SIDE_LIST_SIZE, top + DPI_SIDE_LIST_SIZE});
}

void AssignmentArea::OnAssignmentChosen(int slot, int position) {
    // "DPI Switch" is chosen by its step in the side list; the list stays open.
    if (position == DPI_SWITCH_ITEM) return;
    SettingsBlock& block = context_.store.block;
    const KeyMode mode = EditedMode();

    if (position == SHIFT_ITEM) {
        CloseAll();
        for (int button = 0; button < BUTTON_COUNT; ++button) {
            if (block.buttonType(mode, button) == KIND_SHIFT) return;  // one Shift button at most
        }
        block.buttonType(KeyMode::A, slot) = KIND_SHIFT;
        block.buttonType(KeyMode::B, slot) = KIND_SHIFT;
        const std::string shift = KindText(SHIFT_ITEM);
        TextOf(KeyMode::A, slot) = shift;
        TextOf(KeyMode::B, slot) = shift;
        redrawKeyArea_();
        return;
    }

    // The list goes before a dialog opens over the page.
    CloseAll();
    std::optional<Assignment> assignment;
    if (position >= static_cast<int>(KeyFunctionKind::Windows) &&
        position <= static_cast<int>(KeyFunctionKind::MacroKey)) {
        assignment = RunParameterDialog(position);
    } else {
        assignment = Assignment{Byte(position), {}, std::nullopt, KindText(position)};
    }
    if (!assignment) return;
    Store(slot, *assignment);
    redrawKeyArea_();
}

void AssignmentArea::OnDpiStepChosen(int position) {
    const auto button = OpenButton();
    if (!button || position < 0 || position >= DPI_STEP_COUNT) {
        sideList_.Close();
        return;
    }
    const int step = position + 1;
    CloseAll();
    Store(*button - 1, Assignment{KIND_DPI_SWITCH, {}, Byte(step), std::string(DpiStepText(step))});
    redrawKeyArea_();
}

bool AssignmentArea::KeyIsAssignable(const std::string& name) {
    // An empty name is "no key": it is stored as usage 0, as the user left it.
    if (name.empty() || KeyUsageByName(name) != 0) return true;
    const Language language = LanguageFromCode(context_.languageCode);
    context_.host.ShowMessage(Replace(KeyNotAssignableFormat(language), "%s", name), WARNING_CAPTION);
    return false;
}

std::optional<AssignmentArea::Assignment> AssignmentArea::RunParameterDialog(int kind) {
    const auto withKind = [&](std::string_view detail) { return KindText(kind) + "-" + std::string(detail); };
    Assignment result;
    result.kind = Byte(kind);
    switch (static_cast<KeyFunctionKind>(kind)) {
        case KeyFunctionKind::Windows: {
            const auto choice = dialogs_.ChooseWindowsKey();
            if (!choice) return std::nullopt;
            result.rows = {{3, Byte(choice->position)},
                           {4, Byte(AppUsage(choice->position))},
                           {5, AppUsageHighByte(choice->position)}};
            result.text = choice->text;
            return result;
        }
        case KeyFunctionKind::Multimedia: {
            const auto choice = dialogs_.ChooseMediaKey();
            if (!choice) return std::nullopt;
            result.rows = {{1, Byte(choice->position)}, {2, Byte(MediaUsage(choice->position))}};
            result.text = withKind(choice->text);
            return result;
        }
        case KeyFunctionKind::FireKey: {
            const auto choice = dialogs_.ChooseFireKey();
            if (!choice) return std::nullopt;
            result.rows = {{6, Byte(choice->keyPosition)},
                           {7, FireKeyUsage(choice->keyPosition)},
                           {8, choice->speed},
                           {9, choice->times}};
            result.text = withKind(choice->keyText);
            return result;
        }
        case KeyFunctionKind::SingleKey: {
            const auto name = dialogs_.CaptureSingleKey();
            if (!name || !KeyIsAssignable(*name)) return std::nullopt;
            result.rows = {{10, KeyUsageByName(*name)}};
            result.text = withKind(*name);
            return result;
        }
        case KeyFunctionKind::ComboKey: {
            const auto choice = dialogs_.CaptureComboKey();
            if (!choice || !KeyIsAssignable(choice->firstKey) || !KeyIsAssignable(choice->secondKey))
                return std::nullopt;
            const std::uint8_t modifier = ModifierBitByName(choice->modifier);
            const std::uint8_t first = KeyUsageByName(choice->firstKey);
            const std::uint8_t second = KeyUsageByName(choice->secondKey);
            result.rows = {{11, modifier}, {12, first}, {13, second}};
            // Only the parts that reach the mouse are named.
            std::string parts;
            const auto add = [&](bool present, const std::string& part) {
                if (!present) return;
                if (!parts.empty()) parts += "+";
                parts += part;
            };
            add(modifier != 0, choice->modifier);
            add(first != 0, choice->firstKey);
            add(second != 0, choice->secondKey);
            result.text = withKind(parts);
            return result;
        }
        case KeyFunctionKind::MacroKey: {
            const auto choice = dialogs_.ChooseMacroKey();
            if (!choice) return std::nullopt;
            const int repeat = std::clamp<int>(choice->repeatMode, 1, 3);
            result.rows = {{14, Byte(choice->index)}, {15, Byte(repeat - 1)}};
            result.text = withKind(choice->name);
            return result;
        }
        default:
            return std::nullopt;
    }
}

void AssignmentArea::Store(int slot, const Assignment& assignment) {
    SettingsBlock& block = context_.store.block;
    const KeyMode mode = EditedMode();
    // The Shift button holds Shift in both modes; whatever replaces it does
    // too, with the same parameters, so that both modes do what their texts say.
    const bool wasShift = block.buttonType(mode, slot) == KIND_SHIFT;
    const auto write = [&](KeyMode target) {
        for (const auto& [row, value] : assignment.rows) block.buttonParam(target, row, slot) = value;
        if (assignment.dpiStep) block.dpiSwitchParam(target, slot) = *assignment.dpiStep;
        block.buttonType(target, slot) = assignment.kind;
        TextOf(target, slot) = assignment.text;
    };
    write(mode);
    if (wasShift) write(Other(mode));
}

void AssignmentArea::SelectKeyMode(int mode) {
    if (mode != static_cast<int>(KeyMode::A) && mode != static_cast<int>(KeyMode::B)) return;
    context_.store.block.keyMode() = Byte(mode);
    redrawKeyArea_();
}

void AssignmentArea::RestoreDefaultKeys() {
    ApplyDefaultButtons(context_.store.block);
    context_.itemTexts = DefaultItemTexts(LanguageFromCode(context_.languageCode));
    redrawKeyArea_();
}

}  // namespace kv12::ui
