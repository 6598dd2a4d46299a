#include "ui/macro_recorder.h"

#include "core/dialog_texts.h"
#include "core/key_names.h"
#include "core/language.h"
#include "core/macros.h"

namespace kv12::ui {

namespace {

std::string WithNumber(std::string_view format, std::uint32_t number) {
    std::string text(format);
    if (const auto at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(number));
    return text;
}

}  // namespace

MacroRecorder::MacroRecorder(const PageContext& context, RecordTarget& target)
    : context_(context), target_(target) {}

void MacroRecorder::StartRecording() {
    const MacroRecorderTexts& texts = DialogTextsFor(LanguageFromCode(context_.languageCode)).recorder;
    MainWindowHost& host = context_.host;
    if (!target_.HasMacros()) {
        host.ShowMessage(texts.emptyMacroList, WARNING_CAPTION);
        return;
    }
    // A running capture ends before the notice: the keys that answer it are
    // not the macro's, and the capture would keep them from the message box.
    if (capturing_) {
        host.StopKeyCapture();
        capturing_ = false;
    }
    host.ShowMessage(texts.startNotice, "");
    target_.ClearSequence();
    held_.clear();
    lastPressItems_ = 0;
    if (const std::uint32_t error = host.StartKeyCapture(); error != 0) {
        host.ShowMessage(WithNumber(RECORD_HOOK_FAILED_FORMAT, error), "");
        return;
    }
    capturing_ = true;
    recordingStarted_ = true;
    state_ = RecordState::Started;
    // Nothing gives the window its earlier title back: it keeps this one.
    host.SetWindowTitle(texts.recordingWindowText);
}

void MacroRecorder::StopRecording() {
    const MacroRecorderTexts& texts = DialogTextsFor(LanguageFromCode(context_.languageCode)).recorder;
    MainWindowHost& host = context_.host;
    // The capture ends before the notice, for the same reason as above.
    if (capturing_) EndRecording(false);
    host.ShowMessage(texts.stopNotice, "");
    if (!recordingStarted_) host.ShowMessage(texts.stopWithoutStart, WARNING_CAPTION);
}

void MacroRecorder::EndRecording(bool ctrlBreak) {
    context_.host.StopKeyCapture();
    capturing_ = false;
    state_ = RecordState::Stopped;
    if (!target_.MacroSelected()) return;
    if (ctrlBreak && lastPressItems_ > 0 && !held_.empty() &&
        (held_.back() == "Ctrl" || held_.back() == "Right Ctrl")) {
        target_.DropLastFromSequence(lastPressItems_);
        held_.pop_back();
    }
    const std::string delay = MacroItem::Delay(RECORDED_DELAY_MS).text;
    for (const std::string& key : held_) target_.AppendToSequence({delay, MacroItem::Release(key).text});
    held_.clear();
    lastPressItems_ = 0;
}

void MacroRecorder::PageLeft() {
    if (!capturing_) return;
    context_.host.StopKeyCapture();
    capturing_ = false;
    held_.clear();
    lastPressItems_ = 0;
}

bool MacroRecorder::DiscardsKey(const KeyEvent& event) const {
    // Ctrl+Break has ended the capture by the time this is asked; its key-down
    // is kept from the window too (the dialog manager would take it for Esc
    // and hide the window).
    return !event.released && (capturing_ || event.virtualKey == CTRL_BREAK_KEY);
}

void MacroRecorder::OnKeyEvent(const KeyEvent& event) {
    if (!capturing_) return;
    if (event.virtualKey == CTRL_BREAK_KEY) {
        EndRecording(true);
        return;
    }
    const std::string name = KeyNameFromScanCode(event.scanCode, event.extended);
    const bool repeatsLastKey = name == prevKeyName_;
    if (event.released) {
        // Windows sets the previous-state bit on every release, so every
        // release is recorded; one of the last recorded key that claims the
        // key was up is no real release and is dropped.
        if (!(repeatsLastKey && !event.wasDown)) OnRecordKey(Transition::Release, name);
        return;
    }
    // The key held down: Windows repeats its key-down with the previous-state
    // bit set. A second press of the same key after a release has it clear.
    if (repeatsLastKey && event.wasDown) return;
    OnRecordKey(Transition::Press, name);
}

void MacroRecorder::OnRecordKey(Transition transition, const std::string& keyName) {
    if (!target_.MacroSelected()) return;
    const std::string delay = MacroItem::Delay(RECORDED_DELAY_MS).text;
    if (transition == Transition::Release) {
        target_.AppendToSequence({delay, MacroItem::Release(keyName).text});
        std::erase(held_, keyName);
        lastPressItems_ = 0;
        return;
    }
    if (state_ == RecordState::Started) {
        target_.AppendToSequence({MacroItem::Press(keyName).text});
        state_ = RecordState::Recording;
        lastPressItems_ = 1;
    } else {
        target_.AppendToSequence({delay, MacroItem::Press(keyName).text});
        lastPressItems_ = 2;
    }
    std::erase(held_, keyName);
    held_.push_back(keyName);
    prevKeyName_ = keyName;
}

}  // namespace kv12::ui
