// The macro recorder of the advanced page: keys typed into the program's
// window while it records become press and release items of the macro area's
// key press sequence, "50 ms" between any two events (it measures no time).
// It records keyboard keys only; mouse buttons enter a macro through the
// area's mouse-event list. What it records is a working copy: it reaches
// record.ini and the mouse only through the area's Confirm.
//
// Keys come from the host's key capture (a keyboard hook of the
// user-interface thread), so only keys typed while the program has the focus
// are seen. They are named from their scan codes with the same table as the
// key dialogs, never by the keyboard layout, so every name the key table
// knows comes out the same on every system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/page_area.h"

namespace kv12::ui {

// Ctrl+Break (VK_CANCEL): ends a recording and is not recorded itself.
inline constexpr std::uint32_t CTRL_BREAK_KEY = 0x03;
// The delay written between two recorded events.
inline constexpr int RECORDED_DELAY_MS = 50;

// Where the recorder writes: the macro area's lists.
class RecordTarget {
  public:
    virtual ~RecordTarget() = default;
    /// Whether the macro list holds any macro.
    virtual bool HasMacros() const = 0;
    /// Whether a macro is selected in the macro list.
    virtual bool MacroSelected() const = 0;
    /// Empties the key press sequence.
    virtual void ClearSequence() = 0;
    /// Appends items to the key press sequence and selects the last one.
    virtual void AppendToSequence(const std::vector<std::string>& items) = 0;
    /// Removes the last `count` items of the key press sequence.
    virtual void DropLastFromSequence(int count) = 0;
};

// Started: recording, no key-down yet; Recording: at least one key-down
// recorded; Stopped: ended by Stop Recording or Ctrl+Break.
enum class RecordState { Started = 0, Recording = 1, Stopped = 2 };

class MacroRecorder {
  public:
    /// The target must outlive the recorder.
    MacroRecorder(const PageContext& context, RecordTarget& target);

    /// "Start Recording": refused with a warning while the macro list is
    /// empty; otherwise the start notice, an empty sequence, key capture, and
    /// the window's title saying how to stop. A capture the system refuses is
    /// reported with its error code and leaves the state and title as they were.
    void StartRecording();
    /// "Stop Recording": the stop notice, then either the warning that no
    /// recording was ever started, or the capture ends (if it runs).
    void StopRecording();
    /// One captured key: Ctrl+Break ends the recording; a key-down is recorded
    /// unless it repeats the last recorded key while held; every release is
    /// recorded. Keys that come while no macro is selected are dropped.
    /// A recording never ends with a key left pressed (the mouse would hold it
    /// down for good): the Ctrl pressed for Ctrl+Break is taken back when it
    /// was the last thing recorded, and every other key still held is released.
    void OnKeyEvent(const KeyEvent& event);
    /// While capturing, key-downs are kept from the page's controls.
    bool DiscardsKey(const KeyEvent& event) const;
    /// The page is left: the capture ends; the state and the title stay.
    void PageLeft();

    bool Capturing() const { return capturing_; }
    RecordState State() const { return state_; }
    /// Whether any start succeeded since the window was made.
    bool RecordingStarted() const { return recordingStarted_; }
    /// The name of the last key-down recorded; kept from one recording to the next.
    const std::string& PrevKeyName() const { return prevKeyName_; }

  private:
    enum class Transition { Press, Release };
    void OnRecordKey(Transition transition, const std::string& keyName);
    // Ends the capture; `ctrlBreak`: the Ctrl of the chord is not the macro's.
    void EndRecording(bool ctrlBreak);

    PageContext context_;
    RecordTarget& target_;
    bool capturing_ = false;
    bool recordingStarted_ = false;
    RecordState state_ = RecordState::Stopped;
    std::string prevKeyName_;
    // The keys recorded as pressed and not yet released, in press order, and
    // how many items the last recorded press added (0 after any other event).
    std::vector<std::string> held_;
    int lastPressItems_ = 0;
};

}  // namespace kv12::ui
