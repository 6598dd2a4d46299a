// What the assignment menus ask of the parameter dialogs. Each call runs its
// dialog modally over the main window and returns what the dialog holds when
// it ends with OK; nullopt for any other end (Cancel, the close button, Esc,
// a background that could not be loaded). The menus never see a dialog class:
// the program runs the real skinned dialogs (ModalAssignmentDialogs), the
// tests a script of answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kv12::ui {

// A choice from a fixed list (the Windows-key and multimedia dialogs): its
// position in the list and its text in the interface language.
struct ListChoice {
    int position = 0;
    std::string text;
    friend bool operator==(const ListChoice&, const ListChoice&) = default;
};

struct FireKeyChoice {
    int keyPosition = 0;  // position in FireKeyList
    std::string keyText;  // "A", "R-Button", ...
    std::uint8_t speed = 32;
    std::uint8_t times = 1;
    friend bool operator==(const FireKeyChoice&, const FireKeyChoice&) = default;
};

// The combination dialog's three texts; an empty text stands for "none".
struct ComboKeyChoice {
    std::string modifier;  // "Left Ctrl", ... "Right Win"
    std::string firstKey;  // a key-table name
    std::string secondKey;
    friend bool operator==(const ComboKeyChoice&, const ComboKeyChoice&) = default;
};

struct MacroKeyChoice {
    int index = 0;                // the macro's position in record.ini: its slot
    std::string name;             // empty when OK was pressed without a choice
    std::uint8_t repeatMode = 1;  // 1..3
    friend bool operator==(const MacroKeyChoice&, const MacroKeyChoice&) = default;
};

class AssignmentDialogs {
  public:
    virtual ~AssignmentDialogs() = default;
    virtual std::optional<ListChoice> ChooseWindowsKey() = 0;
    virtual std::optional<ListChoice> ChooseMediaKey() = 0;
    virtual std::optional<FireKeyChoice> ChooseFireKey() = 0;
    // A key-table name ("Enter", "Right Alt", "Num 5"), or empty when OK was
    // pressed before any key.
    virtual std::optional<std::string> CaptureSingleKey() = 0;
    virtual std::optional<ComboKeyChoice> CaptureComboKey() = 0;
    virtual std::optional<MacroKeyChoice> ChooseMacroKey() = 0;
};

}  // namespace kv12::ui
