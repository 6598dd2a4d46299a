#include "ui/macro_area.h"

#include <array>
#include <utility>

#include "core/dialog_texts.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/key_function.h"
#include "core/language.h"
#include "core/macros.h"
#include "ui/control_ids.h"
#include "ui/delay_time_dialog.h"
#include "ui/main_window_layout.h"
#include "ui/number_field.h"

namespace kv12::ui {

namespace {

using namespace macro_layout;
using control_ids::LOOP_TIMES_BOX;
using control_ids::MACRO_LIST;
using control_ids::MACRO_NAME_BOX;
using control_ids::MOUSE_EVENT_LIST;
using control_ids::SEQUENCE_LIST;

constexpr std::array<int, 5> CONTROL_IDS = {MACRO_LIST, SEQUENCE_LIST, MACRO_NAME_BOX, LOOP_TIMES_BOX,
                                            MOUSE_EVENT_DISPLAY_ID};

// The row of a button's parameters that holds the slot of its macro.
constexpr int MACRO_SLOT_ROW = 14;
constexpr std::uint8_t KIND_MACRO_KEY = static_cast<std::uint8_t>(KeyFunctionKind::MacroKey);

// The blanks record.ini trims from the ends of a section name.
constexpr std::string_view NAME_BLANKS = "\t\n\v\f\r\x1A ";

constexpr std::string_view CLICK = " Click";

// A name's length as the program's 32-character buffers count it: UTF-16
// code units, so a character beyond the basic plane counts twice.
std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++units;  // every character starts with a byte that is no continuation
        if (byte >= 0xF0) ++units;           // four bytes: a surrogate pair
    }
    return units;
}

// Whether record.ini gives the name back unchanged as a section name: a "]"
// or a line break would split or end the header, a leading ";" reads as a
// comment, and blanks at either end are trimmed away.
bool ReadsBackUnchanged(std::string_view name) {
    if (name.empty()) return false;
    if (name.find_first_of(std::string_view("]\r\n\0", 4)) != std::string_view::npos) return false;
    if (name.starts_with(';')) return false;
    if (NAME_BLANKS.find(name.front()) != std::string_view::npos) return false;
    if (NAME_BLANKS.find(name.back()) != std::string_view::npos) return false;
    return IniDocument::IsStorableSectionName(name);
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) joined += separator;
        joined += part;
    }
    return joined;
}

// `event` with its " Click" replaced: the press or the release of the button.
std::string ClickPart(std::string_view event, const char* suffix) {
    std::string text(event);
    if (const auto at = text.find(CLICK); at != std::string::npos) text.replace(at, CLICK.size(), suffix);
    return text;
}

// How many of the items, from the first, fit in a slot's event stream. The
// bytes never shrink as items are added, so the answer is found by halving.
std::size_t ItemsThatFit(const std::vector<std::string>& items) {
    const auto prefixFits = [&](std::size_t count) {
        return MacroEventsFit(
            std::vector<std::string>(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(count)));
    };
    std::size_t fits = 0;                // this many fit
    std::size_t misfits = items.size();  // this many do not, unless all of them fit
    while (misfits - fits > 1) {
        const std::size_t middle = fits + (misfits - fits) / 2;
        (prefixFits(middle) ? fits : misfits) = middle;
    }
    return prefixFits(misfits) ? misfits : fits;
}

}  // namespace

MacroArea::MacroArea(const PageContext& context)
    : context_(context),
      recorder_(context_, *this),
      mouseEventList_({MOUSE_EVENT_LIST, layout::MOUSE_EVENT_LIST, layout::MOUSE_EVENT_BOX}) {
    mouseEventList_.Bind(context_.host);
}

Language MacroArea::UserLanguage() const {
    return LanguageFromCode(context_.languageCode);
}

// --- building and tearing down ------------------------------------------------

void MacroArea::Build() {
    WindowHost& host = context_.host;
    const auto label = [&](int row, Rect rect) {
        host.DrawText(context_.texts[row], rect, TextFormat::Left, FontRole::Normal, context_.skin.TextColor);
    };
    const auto beside = [](Rect region) {
        return Rect{region.right + RECORDING_TEXT_GAP, region.top, LABEL_RIGHT, region.bottom};
    };
    const auto above = [](Rect box) { return Rect{box.left, box.top - LABEL_HEIGHT, LABEL_RIGHT, box.top}; };
    label(TXT_START_RECORDING, beside(layout::START_RECORDING_BUTTON));
    label(TXT_STOP_RECORDING, beside(layout::STOP_RECORDING_BUTTON));
    label(TXT_MACRO_NAME, above(MACRO_NAME_BOX_RECT));
    label(TXT_LOOP_TIMES, above(LOOP_TIMES_BOX_RECT));
    label(TXT_INSERT_MOUSE_EVENT, above(MOUSE_EVENT_DISPLAY));

    host.CreateControl(
        {MACRO_LIST, ControlKind::ListBox, macro_layout::MACRO_LIST_RECT, STYLE_MACRO_LIST, {}});
    ControlSpec sequence{
        SEQUENCE_LIST, ControlKind::ListBox, macro_layout::SEQUENCE_LIST_RECT, STYLE_MACRO_LIST, {}};
    sequence.selectionFollowsPointer = true;
    host.CreateControl(sequence);
    host.CreateControl(
        {MACRO_NAME_BOX, ControlKind::Edit, macro_layout::MACRO_NAME_BOX_RECT, STYLE_MACRO_NAME_BOX, {}});
    host.CreateControl(
        {LOOP_TIMES_BOX, ControlKind::Edit, macro_layout::LOOP_TIMES_BOX_RECT, STYLE_NUMBER_FIELD, {}});
    host.CreateControl(
        {MOUSE_EVENT_DISPLAY_ID, ControlKind::Static, MOUSE_EVENT_DISPLAY, STYLE_MOUSE_EVENT_DISPLAY, {}});

    const IniDocument recordIni = IniDocument::Load(context_.files.record);
    const std::vector<std::string> names = LoadMacroNames(recordIni);
    for (const std::string& name : names) host.AddListItem(MACRO_LIST, name);
    if (names.empty()) {
        ShowLoopTimes("");
        return;
    }
    host.SetControlText(MACRO_NAME_BOX, names.front());
    for (const std::string& item : ReadMacro(recordIni, names.front())) host.AddListItem(SEQUENCE_LIST, item);
    host.SetListSelection(MACRO_LIST, 0);
    ShowLoopTimes(std::to_string(LoopCount(context_.store.block, 0)));
}

void MacroArea::DestroyControls() {
    for (const int id : CONTROL_IDS) {
        if (context_.host.ControlExists(id)) context_.host.DestroyControl(id);
    }
}

void MacroArea::TearDown() {
    recorder_.PageLeft();
    mouseEventList_.Close();
    DestroyControls();
}

// --- presses, commands, the menu ---------------------------------------------

void MacroArea::CloseListsAwayFrom(Point point) {
    mouseEventList_.CloseIfAwayFrom(point);
}

bool MacroArea::OnPress(Point point) {
    if (layout::START_RECORDING_BUTTON.Contains(point)) {
        recorder_.StartRecording();
    } else if (layout::STOP_RECORDING_BUTTON.Contains(point)) {
        recorder_.StopRecording();
    } else if (layout::MacroButton(1).Contains(point)) {
        NewMacro();
    } else if (layout::MacroButton(2).Contains(point)) {
        DeleteMacroCmd();
    } else if (layout::MacroButton(3).Contains(point)) {
        ConfirmMacro();
    } else if (layout::MOUSE_EVENT_BOX.Contains(point)) {
        ToggleMouseEventList();
    } else {
        return false;
    }
    return true;
}

bool MacroArea::OnCommand(int id, int notifyCode) {
    WindowHost& host = context_.host;
    switch (id) {
        case MOUSE_EVENT_LIST:
            if (!mouseEventList_.IsOpen()) return true;
            if (const auto position = mouseEventList_.ChoiceFrom(id, notifyCode)) {
                const std::string event = mouseEventList_.ItemText(*position);
                InsertMouseEvent(event);
            }
            return true;
        case MACRO_LIST:
            if (notifyCode == LIST_SELECTION_CHANGED) SelectMacro(host.ListSelection(MACRO_LIST));
            return true;
        case SEQUENCE_LIST:
            if (notifyCode == LIST_DOUBLE_CLICKED) EditDelayItem(host.ListSelection(SEQUENCE_LIST));
            return true;
        case LOOP_TIMES_BOX:
            if (notifyCode == EDIT_CHANGED) LoopTimesChanged();
            return true;
        case MACRO_NAME_BOX:
            if (notifyCode == EDIT_CHANGED) host.InvalidateControl(MACRO_NAME_BOX);
            return true;
        case control_ids::SEQUENCE_DELETE_COMMAND:
            DeleteSequenceItem();
            return true;
        case MOUSE_EVENT_DISPLAY_ID:
            return true;
        default:
            return false;
    }
}

bool MacroArea::OnContextMenu(int controlId) {
    if (controlId != SEQUENCE_LIST) return false;
    if (context_.host.ControlExists(SEQUENCE_LIST)) {
        context_.host.ShowContextMenu(control_ids::SEQUENCE_DELETE_COMMAND, context_.texts[TXT_DELETE]);
    }
    return true;
}

// --- the macro list -------------------------------------------------------------

bool MacroArea::NameIsUsable(const std::string& name) {
    const MacroEditorNoticeTexts& notices = MacroEditorNoticeTextsFor(UserLanguage());
    if (Utf16Length(name) > MACRO_NAME_MAX_CHARS) {
        context_.host.ShowMessage(FillMessage(notices.nameTooLong, {std::to_string(MACRO_NAME_MAX_CHARS)}),
                                  WARNING_CAPTION);
        return false;
    }
    if (!ReadsBackUnchanged(name)) {
        context_.host.ShowMessage(notices.nameNotStorable, "");
        return false;
    }
    return true;
}

void MacroArea::NewMacro() {
    WindowHost& host = context_.host;
    const MacroEditorTexts& texts = DialogTextsFor(UserLanguage()).editor;
    const std::string name = host.ControlText(MACRO_NAME_BOX);
    if (name.empty()) {
        host.ShowMessage(texts.nameBlank, "");
        return;
    }
    if (!NameIsUsable(name)) return;
    const int count = host.ListItemCount(MACRO_LIST);
    if (count > 0) {
        if (count >= MACRO_MAX_COUNT) {
            host.ShowMessage(MACRO_LIMIT_MESSAGE, WARNING_CAPTION);
            return;
        }
        // record.ini tells its sections apart as this does, so a name that
        // differs only in the case of its letters would be the same macro.
        for (int i = 0; i < count; ++i) {
            if (IniNamesEqual(host.ListItemText(MACRO_LIST, i), name)) {
                host.ShowMessage(texts.nameExists, "");
                return;
            }
        }
    }
    host.AddListItem(MACRO_LIST, name);
    if (count > 0) ClearSequence();
    host.SetListSelection(MACRO_LIST, count);
}

std::vector<std::string> MacroArea::ButtonsShiftedByDelete(int position, int count) const {
    const MacroEditorNoticeTexts& notices = MacroEditorNoticeTextsFor(UserLanguage());
    const SettingsBlock& block = context_.store.block;
    std::vector<std::string> buttons;
    for (const auto& [mode, caption] :
         {std::pair{KeyMode::A, MODE_A_CAPTION}, std::pair{KeyMode::B, MODE_B_CAPTION}}) {
        for (int button = 0; button < BUTTON_COUNT; ++button) {
            if (block.buttonType(mode, button) != KIND_MACRO_KEY) continue;
            const int slot = block.buttonParam(mode, MACRO_SLOT_ROW, button);
            if (slot < position || slot >= count) continue;
            buttons.push_back(FillMessage(notices.buttonName, {caption, std::to_string(button + 1)}));
        }
    }
    return buttons;
}

void MacroArea::DeleteMacroCmd() {
    WindowHost& host = context_.host;
    const int selected = host.ListSelection(MACRO_LIST);
    if (host.ListItemCount(MACRO_LIST) == 0 || selected < 0) return;
    const std::string name = host.ListItemText(MACRO_LIST, selected);
    const Language language = UserLanguage();

    // The file first: a record.ini that cannot be changed keeps the macro listed.
    IniDocument recordIni;
    if (const auto error = IniDocument::LoadForUpdate(context_.files.record, recordIni)) {
        host.ShowMessage(error->In(language), "");
        return;
    }
    const std::vector<std::string> names = LoadMacroNames(recordIni);
    for (std::size_t position = 0; position < names.size(); ++position) {
        if (!IniNamesEqual(names[position], name)) continue;
        // Buttons hold slot numbers, and the slots follow the order of
        // record.ini: from this macro on, every slot will hold the next one's.
        const std::vector<std::string> buttons =
            ButtonsShiftedByDelete(static_cast<int>(position), static_cast<int>(names.size()));
        if (!buttons.empty()) {
            const MacroEditorNoticeTexts& notices = MacroEditorNoticeTextsFor(language);
            host.ShowMessage(FillMessage(notices.buttonsLoseMacro, {name, Join(buttons, notices.separator)}),
                             WARNING_CAPTION);
        }
        DeleteMacro(recordIni, name);
        if (const auto error = recordIni.Save(context_.files.record)) {
            host.ShowMessage(error->In(language), "");
            return;
        }
        break;
    }

    host.DeleteListItem(MACRO_LIST, selected);
    host.SetListSelection(MACRO_LIST, -1);
    ClearSequence();
    host.SetControlText(MACRO_NAME_BOX, "");
}

void MacroArea::ConfirmMacro() {
    WindowHost& host = context_.host;
    const int selected = host.ListSelection(MACRO_LIST);
    if (host.ListItemCount(MACRO_LIST) == 0 || selected < 0) return;
    const std::string name = host.ListItemText(MACRO_LIST, selected);
    const std::vector<std::string> items = SequenceItems();
    const Language language = UserLanguage();
    const MacroEditorNoticeTexts& notices = MacroEditorNoticeTextsFor(language);

    // The mouse would play a cut macro, perhaps with a key left down: the
    // sequence stays in the list for the user to shorten, and nothing is saved.
    if (!MacroEventsFit(items)) {
        host.ShowMessage(FillMessage(notices.sequenceTooLong, {name, std::to_string(ItemsThatFit(items)),
                                                               std::to_string(items.size())}),
                         WARNING_CAPTION);
        return;
    }
    if (const auto error = SaveMacro(context_.files.record, name, items)) {
        host.ShowMessage(error->In(language), "");
        return;
    }
    const MacroEncodeReport report = EncodeMacros(context_.files.record, context_.store.block);
    // A macro whose slot never had a loop count (a new one, a fresh
    // config.bin) would reach the mouse to be played 0 times: it gets the
    // count the box shows, as if it had been typed.
    if (!items.empty()) {
        const std::vector<std::string> names = LoadMacroNames(context_.files.record);
        for (std::size_t k = 0; k < names.size() && k < static_cast<std::size_t>(MACRO_MAX_COUNT); ++k) {
            if (names[k] != name) continue;
            if (LoopCount(context_.store.block, static_cast<int>(k)) == 0) {
                const int typed = ReadDecimalField(host.ControlText(LOOP_TIMES_BOX));
                const bool valid = typed >= LOOP_COUNT_MIN && typed <= LOOP_COUNT_MAX;
                SetLoopCount(context_.store.block, static_cast<int>(k),
                             static_cast<std::uint16_t>(valid ? typed : LOOP_COUNT_MIN));
            }
            break;
        }
    }
    // Only other macros of a record.ini made elsewhere can still be too long
    // or too many; the user hears which.
    if (!report.cut.empty()) {
        host.ShowMessage(FillMessage(notices.macrosCut, {Join(report.cut, notices.separator)}),
                         WARNING_CAPTION);
    }
    if (!report.notCompiled.empty()) {
        host.ShowMessage(FillMessage(notices.macrosLeftOut, {Join(report.notCompiled, notices.separator)}),
                         WARNING_CAPTION);
    }
}

void MacroArea::SelectMacro(int index) {
    WindowHost& host = context_.host;
    if (index < 0 || index >= host.ListItemCount(MACRO_LIST)) return;
    const std::string name = host.ListItemText(MACRO_LIST, index);
    host.SetControlText(MACRO_NAME_BOX, name);
    // A macro that is listed but not yet confirmed has no section: no items.
    const std::vector<std::string> items = ReadMacro(context_.files.record, name);
    ClearSequence();
    if (items.empty()) return;  // the loop count box keeps its text
    for (const std::string& item : items) host.AddListItem(SEQUENCE_LIST, item);
    // Macros beyond the twelfth have no slot, and so no loop count.
    if (index < MACRO_MAX_COUNT) ShowLoopTimes(std::to_string(LoopCount(context_.store.block, index)));
}

void MacroArea::ShowLoopTimes(const std::string& text) {
    context_.host.SetControlText(LOOP_TIMES_BOX, text);
    LoopTimesChanged();
}

void MacroArea::LoopTimesChanged() {
    WindowHost& host = context_.host;
    if (!host.ControlExists(LOOP_TIMES_BOX)) return;
    int count = ReadDecimalField(host.ControlText(LOOP_TIMES_BOX));
    if (count < LOOP_COUNT_MIN || count > LOOP_COUNT_MAX) {
        count = LOOP_COUNT_MIN;
        host.SetControlText(LOOP_TIMES_BOX, std::to_string(LOOP_COUNT_MIN));
    }
    host.InvalidateControl(LOOP_TIMES_BOX);
    const int selected = host.ListSelection(MACRO_LIST);
    if (selected >= 0 && selected < MACRO_MAX_COUNT) {
        SetLoopCount(context_.store.block, selected, static_cast<std::uint16_t>(count));
    }
}

// --- the key press sequence ----------------------------------------------------

std::vector<std::string> MacroArea::SequenceItems() const {
    std::vector<std::string> items;
    const int count = context_.host.ListItemCount(SEQUENCE_LIST);
    for (int i = 0; i < count; ++i) items.push_back(context_.host.ListItemText(SEQUENCE_LIST, i));
    return items;
}

void MacroArea::InsertSequenceItems(int at, const std::vector<std::string>& items) {
    for (const std::string& item : items) context_.host.InsertListItem(SEQUENCE_LIST, at++, item);
}

void MacroArea::ToggleMouseEventList() {
    mouseEventList_.Toggle(std::vector<std::string>(MOUSE_EVENT_ITEMS.begin(), MOUSE_EVENT_ITEMS.end()));
}

void MacroArea::InsertMouseEvent(std::string_view event) {
    WindowHost& host = context_.host;
    const std::string delay = MacroItem::Delay(RECORDED_DELAY_MS).text;
    const bool click = event.find(CLICK) != std::string_view::npos;
    const std::string press = ClickPart(event, PRESS_SUFFIX);
    const std::string release = ClickPart(event, RELEASE_SUFFIX);
    // After a delay (or at the top) the event comes first; after an event, a delay.
    const std::vector<std::string> afterDelay = click ? std::vector<std::string>{press, delay, release, delay}
                                                      : std::vector<std::string>{std::string(event), delay};
    const std::vector<std::string> afterEvent = click ? std::vector<std::string>{delay, press, delay, release}
                                                      : std::vector<std::string>{delay, std::string(event)};

    const int selected = host.ListSelection(SEQUENCE_LIST);
    if (selected >= 0) {
        if (host.ListItemText(SEQUENCE_LIST, selected).find("ms") != std::string::npos) {
            InsertSequenceItems(selected + 1, afterDelay);
            host.SetListSelection(SEQUENCE_LIST, selected + 1);
        } else {
            InsertSequenceItems(selected + 1, afterEvent);
            host.SetListSelection(SEQUENCE_LIST, selected + 2);
        }
    } else if (host.ListItemCount(SEQUENCE_LIST) == 0 && MacroSelected()) {
        InsertSequenceItems(0, afterDelay);
    }
    host.SetControlText(MOUSE_EVENT_DISPLAY_ID, event);
    mouseEventList_.Close();
}

void MacroArea::EditDelayItem(int index) {
    WindowHost& host = context_.host;
    if (index < 0 || host.ListItemText(SEQUENCE_LIST, index).find("ms") == std::string::npos) return;
    CDelayTimeDialog dialog(context_.skin, context_.languageCode, context_.version);
    if (context_.host.RunModal(dialog) != DialogResult::Ok) return;
    const std::string item = dialog.Delay() > DELAY_EDIT_MAX_MS ? std::string(DELAY_TOO_LONG_ITEM)
                                                                : dialog.DelayText() + DELAY_SUFFIX;
    host.DeleteListItem(SEQUENCE_LIST, index);
    host.InsertListItem(SEQUENCE_LIST, index, item);
    host.SetListSelection(SEQUENCE_LIST, index);
}

void MacroArea::DeleteSequenceItem() {
    WindowHost& host = context_.host;
    const int selected = host.ListSelection(SEQUENCE_LIST);
    if (selected < 0) return;
    host.DeleteListItem(SEQUENCE_LIST, selected);
    host.SetListSelection(SEQUENCE_LIST, -1);
}

// --- what the recorder writes into ---------------------------------------------

bool MacroArea::HasMacros() const {
    return context_.host.ListItemCount(MACRO_LIST) > 0;
}

bool MacroArea::MacroSelected() const {
    return context_.host.ListSelection(MACRO_LIST) >= 0;
}

void MacroArea::ClearSequence() {
    context_.host.ClearList(SEQUENCE_LIST);
}

void MacroArea::AppendToSequence(const std::vector<std::string>& items) {
    WindowHost& host = context_.host;
    for (const std::string& item : items) host.AddListItem(SEQUENCE_LIST, item);
    host.SetListSelection(SEQUENCE_LIST, host.ListItemCount(SEQUENCE_LIST) - 1);
}

void MacroArea::DropLastFromSequence(int count) {
    WindowHost& host = context_.host;
    for (int i = 0; i < count && host.ListItemCount(SEQUENCE_LIST) > 0; ++i)
        host.DeleteListItem(SEQUENCE_LIST, host.ListItemCount(SEQUENCE_LIST) - 1);
    host.SetListSelection(SEQUENCE_LIST, host.ListItemCount(SEQUENCE_LIST) - 1);
}

}  // namespace kv12::ui
