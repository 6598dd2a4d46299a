// The dialogs' own texts in the three languages, one struct per dialog, and
// the few texts that every language shares (message captions, list items).
// The recorder and macro-editor texts are rows of the main table, gathered
// here under names so their users need not know the row numbers.
#pragma once

#include <array>
#include <string_view>

#include "core/language.h"

namespace kv12 {

// The OK and Cancel captions of every dialog's standard frame.
struct DialogFrameTexts {
    std::string_view ok;
    std::string_view cancel;
};

// CSingleDialog.
struct SingleDialogTexts {
    DialogFrameTexts frame;
    std::string_view prompt;  // "Please enter a key"
};

// CComboDialog: its labels are part of its picture.
struct ComboDialogTexts {
    DialogFrameTexts frame;
};

// CFireKeyDialog.
struct FireKeyDialogTexts {
    DialogFrameTexts frame;
    std::string_view speedLabel;
    std::string_view timesLabel;
    std::string_view noteHeading;
    std::string_view speedNote;
    std::string_view timesNote;
};

// CDelayTimeDialog.
struct DelayTimeDialogTexts {
    DialogFrameTexts frame;
    std::string_view prompt;
    std::string_view range;
};

// CMediaDialog: its items are MediaKeyText (key_tables.h).
struct MediaDialogTexts {
    DialogFrameTexts frame;
};

// CWindowsDialog: its items are AppKeyText (key_tables.h).
struct WindowsDialogTexts {
    DialogFrameTexts frame;
};

// CMacroDialog.
inline constexpr int REPEAT_OPTION_COUNT = 3;
struct MacroDialogTexts {
    DialogFrameTexts frame;
    std::array<std::string_view, REPEAT_OPTION_COUNT> repeatOptions;  // options 1..3 at 0..2
    std::string_view prompt;
};

// CSkinsDialog.
struct SkinsDialogTexts {
    DialogFrameTexts frame;
    std::string_view colorPrompt;
};

// The macro recorder's notices and messages.
struct MacroRecorderTexts {
    std::string_view startNotice;          // "Start Recording"
    std::string_view stopNotice;           // "Stop Recording"
    std::string_view emptyMacroList;       // "Macro name is blank"
    std::string_view recordingWindowText;  // "Press Ctrl+Break key to stop recording"
    std::string_view stopWithoutStart;     // "It doesn’t start recording, ..."
};

// The macro area of the advanced page.
struct MacroEditorTexts {
    std::string_view macroSetting;
    std::string_view selectMacro;
    std::string_view keyPressSequence;
    std::string_view recordOption;
    std::string_view macroName;
    std::string_view loopTimes;
    std::string_view insertMouseEvent;
    std::string_view newButton;
    std::string_view deleteButton;  // also the sequence list's context-menu item
    std::string_view confirmButton;
    std::string_view nameBlank;
    std::string_view nameExists;
};

// What the macro area says where a name, a sequence or a delete would not
// turn out as the user meant; "%1".."%3" are filled in as noted.
struct MacroEditorNoticeTexts {
    std::string_view nameTooLong;       // %1: the most characters a name holds
    std::string_view nameNotStorable;   // a name record.ini could not give back unchanged
    std::string_view sequenceTooLong;   // %1: the macro, %2: the items that fit, %3: all its items
    std::string_view buttonsLoseMacro;  // %1: the macro, %2: the buttons (buttonName, joined)
    std::string_view buttonName;        // %1: "Mode A" or "Mode B", %2: the button's number 1..8
    std::string_view separator;         // between the names of a list in the texts above and below
    std::string_view macrosCut;         // %1: the macros that reach the mouse cut to 126 bytes
    std::string_view macrosLeftOut;     // %1: the macros beyond the twelfth slot
};

/// The macro area's notices in a language (English for a value outside the enum).
const MacroEditorNoticeTexts& MacroEditorNoticeTextsFor(Language language);

// Every dialog's texts in one language.
struct DialogTexts {
    SingleDialogTexts single;
    ComboDialogTexts combo;
    FireKeyDialogTexts fireKey;
    DelayTimeDialogTexts delayTime;
    MediaDialogTexts media;
    WindowsDialogTexts windows;
    MacroDialogTexts macro;
    SkinsDialogTexts skins;
    MacroRecorderTexts recorder;
    MacroEditorTexts editor;
};

/// The dialogs' texts in a language (English for a value outside the enum).
const DialogTexts& DialogTextsFor(Language language);

/// What the assignment menus say when a captured key has no usage in the key
/// table (a key the mouse cannot send): "%s" stands for the key's name. The
/// button then keeps the function it had.
std::string_view KeyNotAssignableFormat(Language language);

// Texts that are the same in every language.

// A dialog whose background picture cannot be loaded shows this text, with a
// caption naming the dialog.
inline constexpr std::string_view LOAD_FAILED_TEXT = "error";
inline constexpr std::string_view SINGLE_DIALOG_LOAD_FAILED =
    "Single Key Dialog Load background image failed!!!";
inline constexpr std::string_view COMBO_DIALOG_LOAD_FAILED = "Combo Dialog Load background image failed!!!";
inline constexpr std::string_view FIRE_KEY_DIALOG_LOAD_FAILED =
    "FireKey Dialog Load background image failed!!!";
inline constexpr std::string_view DELAY_TIME_DIALOG_LOAD_FAILED =
    "DelayTime Dialog Load background image failed!!!";
inline constexpr std::string_view MEDIA_DIALOG_LOAD_FAILED = "Media Dialog Load background image failed!!!";
inline constexpr std::string_view WINDOWS_DIALOG_LOAD_FAILED =
    "Windows Dialog Load background image failed!!!";
inline constexpr std::string_view MACRO_DIALOG_LOAD_FAILED =
    "Macro Key Dialog Load background image failed!!!";
inline constexpr std::string_view SKINS_DIALOG_LOAD_FAILED = "Skins Dialog Load background image failed!!!";

// Keyboard hooks that cannot be installed; %d is the system's error code.
inline constexpr std::string_view SINGLE_KEY_HOOK_FAILED_FORMAT =
    "KeyboardHook_SingleDlgKey Install error code :%d\n";
inline constexpr std::string_view COMBO_KEY_HOOK_FAILED_FORMAT =
    "KeyboardHook_ComboDlg Install error code :%d\n";
inline constexpr std::string_view RECORD_HOOK_FAILED_FORMAT = "JournalRecordHook Install error code :%d\n";

// Caption of the limit messages and balloons.
inline constexpr std::string_view WARNING_CAPTION = "Warning";
inline constexpr std::string_view INFO_CAPTION = "Info";

// The macro editor's limit message.
inline constexpr std::string_view MACRO_LIMIT_MESSAGE = "Macro numbers up to 12.";

// The macro editor's mouse-event list, in list order. A "Click" item stands
// for a press and a release.
inline constexpr int MOUSE_EVENT_COUNT = 9;
inline constexpr std::array<std::string_view, MOUSE_EVENT_COUNT> MOUSE_EVENT_ITEMS = {
    "L-Button Click", "R-Button Click", "M-Button Click", "L-Button   Dn", "L-Button   Up",
    "R-Button   Dn",  "R-Button   Up",  "M-Button   Dn",  "M-Button   Up",
};

// The key-mode buttons of the basic page, the same in every language.
inline constexpr std::string_view MODE_A_CAPTION = "Mode A";
inline constexpr std::string_view MODE_B_CAPTION = "Mode B";

}  // namespace kv12
