// Hosts that record every call a window makes, in order, as one readable line
// each ("DrawImage /button-over.png 562,623", "Present", ...), and answer from
// a script: colour-chooser results, list selections, whether images load, and
// what the user does in a modal dialog.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_host.h"

namespace kv12::test {

using ui::ControlSpec;
using ui::DialogHost;
using ui::DialogResult;
using ui::FontRole;
using ui::FontSpec;
using ui::MainWindowHost;
using ui::Point;
using ui::Rect;
using ui::Rgb;
using ui::SkinnedDialog;
using ui::TextFormat;
using ui::WindowHost;

std::string Describe(Point p);
std::string Describe(Rect r);
std::string Describe(Rgb c);

// The log lines of the calls, for expectations.
std::string ImageLine(std::string_view image, Point at);
std::string TextLine(std::string_view text, Rect rect, TextFormat format = TextFormat::Centered,
                     FontRole font = FontRole::Normal);

// What a list box holds in the recording.
struct RecordedControl {
    ControlSpec desc;
    std::vector<std::string> items;
    int selection = -1;
    bool enabled = true;
};

// The WindowHost part, shared by the main window's host and the dialogs'.
template <typename Base>
class RecordingWindow : public Base {
  public:
    explicit RecordingWindow(std::vector<std::string>& log) : log_(log) {}

    // Script.
    std::set<std::string> missingImages;      // LoadCanvas / DrawImage fail for these names
    std::set<std::string> brokenSkinFolders;  // ... and for every name while one of these is the skin folder
    std::deque<std::optional<Rgb>> colorAnswers;  // answers of ChooseColor, in order; none left: cancelled
    std::map<int, RecordedControl> controls;
    std::string skinFolder;
    FontSpec normalFont, titleFont;

    bool LoadCanvas(std::string_view imageName) override {
        Log("LoadCanvas " + std::string(imageName));
        return Decodes(imageName);
    }
    bool DrawImage(std::string_view imageName, Point at) override {
        Log(ImageLine(imageName, at));
        return Decodes(imageName);
    }
    bool Decodes(std::string_view imageName) const {
        return !missingImages.contains(std::string(imageName)) && !brokenSkinFolders.contains(skinFolder);
    }
    void DrawText(std::string_view text, Rect rect, TextFormat format, FontRole font, Rgb color) override {
        Log(TextLine(text, rect, format, font));
        textColors.push_back(color);
    }
    void Present() override { Log("Present"); }
    // Images asked to be decoded ahead of their draw, in order (kept out of the call log).
    std::vector<std::string> preparedImages;
    void PrepareImage(std::string_view imageName) override { preparedImages.emplace_back(imageName); }
    void SetSkinFolder(const std::string& folder) override {
        skinFolder = folder;
        Log("SetSkinFolder " + folder);
    }
    void SetFonts(const FontSpec& normal, const FontSpec& title) override {
        normalFont = normal;
        titleFont = title;
        Log("SetFonts " + normal.face + " " + title.face);
    }
    void Hide() override {
        visible = false;
        Log("Hide");
    }
    void ShowInForeground() override {
        visible = true;
        Log("ShowInForeground");
    }
    void TrackHover() override { Log("TrackHover"); }
    void StartDrag(Point from) override { Log("StartDrag " + Describe(from)); }
    void CreateControl(const ControlSpec& desc) override {
        controls[desc.id] = RecordedControl{desc, {}, -1, true};
        Log("CreateControl " + std::to_string(desc.id) + " " + Describe(desc.rect));
    }
    void DestroyControl(int id) override {
        controls.erase(id);
        Log("DestroyControl " + std::to_string(id));
    }
    bool ControlExists(int id) const override { return controls.contains(id); }
    void SetControlText(int id, std::string_view text) override {
        if (auto it = controls.find(id); it != controls.end()) it->second.desc.text = text;
        Log("SetControlText " + std::to_string(id) + " " + std::string(text));
    }
    void InvalidateControl(int id) override { Log("InvalidateControl " + std::to_string(id)); }
    void AddListItem(int id, std::string_view text) override {
        if (auto it = controls.find(id); it != controls.end()) it->second.items.emplace_back(text);
        Log("AddListItem " + std::to_string(id) + " " + std::string(text));
    }
    void InsertListItem(int id, int index, std::string_view text) override {
        if (auto it = controls.find(id); it != controls.end()) {
            auto& items = it->second.items;
            const auto at =
                index < 0 || index >= static_cast<int>(items.size()) ? items.end() : items.begin() + index;
            items.emplace(at, text);
        }
        Log("InsertListItem " + std::to_string(id) + " " + std::to_string(index) + " " + std::string(text));
    }
    void DeleteListItem(int id, int index) override {
        if (auto it = controls.find(id); it != controls.end()) {
            auto& items = it->second.items;
            if (index >= 0 && index < static_cast<int>(items.size())) items.erase(items.begin() + index);
        }
        Log("DeleteListItem " + std::to_string(id) + " " + std::to_string(index));
    }
    void ClearList(int id) override {
        if (auto it = controls.find(id); it != controls.end()) {
            it->second.items.clear();
            it->second.selection = -1;
        }
        Log("ClearList " + std::to_string(id));
    }
    int ListItemCount(int id) const override {
        const auto it = controls.find(id);
        return it == controls.end() ? 0 : static_cast<int>(it->second.items.size());
    }
    std::string ListItemText(int id, int index) const override {
        const auto it = controls.find(id);
        if (it == controls.end() || index < 0 || index >= static_cast<int>(it->second.items.size()))
            return {};
        return it->second.items[static_cast<std::size_t>(index)];
    }
    int ListSelection(int id) const override {
        const auto it = controls.find(id);
        return it == controls.end() ? -1 : it->second.selection;
    }
    void ScrollList(int id, int lines) override {
        Log("ScrollList " + std::to_string(id) + " " + std::to_string(lines));
    }
    void SetListSelection(int id, int index) override {
        if (auto it = controls.find(id); it != controls.end()) it->second.selection = index;
        Log("SetListSelection " + std::to_string(id) + " " + std::to_string(index));
    }
    // Items are listItemHeight pixels high, from the list's top, as wide as the list.
    std::optional<Rect> ListItemRect(int id, int index) const override {
        const auto it = controls.find(id);
        if (it == controls.end() || index < 0 || index >= static_cast<int>(it->second.items.size()))
            return std::nullopt;
        return Rect{0, index * listItemHeight, it->second.desc.rect.Width(), (index + 1) * listItemHeight};
    }
    std::string ControlText(int id) const override {
        const auto it = controls.find(id);
        return it == controls.end() ? std::string() : it->second.desc.text;
    }
    void EnableControl(int id, bool enabled) override {
        if (auto it = controls.find(id); it != controls.end()) it->second.enabled = enabled;
        Log(std::string(enabled ? "EnableControl " : "DisableControl ") + std::to_string(id));
    }
    int FocusedControl() const override { return focusedControl; }
    std::uint32_t StartKeyCapture() override {
        Log("StartKeyCapture");
        if (keyCaptureError == 0) capturingKeys = true;
        return keyCaptureError;
    }
    void StopKeyCapture() override {
        if (capturingKeys) Log("StopKeyCapture");
        capturingKeys = false;
    }
    void ShowMessage(std::string_view text, std::string_view caption) override {
        Log("ShowMessage " + std::string(text) + " | " + std::string(caption));
    }
    std::optional<Rgb> ChooseColor(Rgb initial) override {
        Log("ChooseColor " + Describe(initial));
        if (colorAnswers.empty()) return std::nullopt;
        auto answer = colorAnswers.front();
        colorAnswers.pop_front();
        return answer;
    }

    bool visible = false;
    std::vector<Rgb> textColors;        // the colour of each DrawText, in order
    int listItemHeight = 15;            // what ListItemRect answers
    int focusedControl = 0;             // what FocusedControl answers
    std::uint32_t keyCaptureError = 0;  // StartKeyCapture fails with this when non-zero
    bool capturingKeys = false;

    // Plays the user typing into an edit box: its text changes, then the
    // window would get EN_CHANGE (the caller sends it).
    void TypeInto(int id, std::string_view text) {
        if (auto it = controls.find(id); it != controls.end()) it->second.desc.text = text;
    }

  protected:
    void Log(std::string line) { log_.push_back(std::move(line)); }
    std::vector<std::string>& log_;
};

class RecordingDialogHost : public RecordingWindow<DialogHost> {
  public:
    using RecordingWindow::RecordingWindow;
    void EndDialog(DialogResult result) override {
        if (!result_) result_ = result;
        Log(result == DialogResult::Ok ? "EndDialog Ok" : "EndDialog Cancel");
    }
    std::optional<DialogResult> result() const { return result_; }

  private:
    std::optional<DialogResult> result_;
};

// The Windows pointer settings of a test: values it answers with, calls that
// fail, and a log of every write.
class FakePointerSettings : public ui::PointerSettingsPort {
  public:
    ui::MouseParameters mouse{6, 10, 1};
    std::uint32_t speed = 10;
    std::uint32_t wheelLines = 3;
    std::uint32_t doubleClickTime = 500;
    std::set<std::string> failing;  // "GetMouse", "SetMouseSpeed", ...
    std::vector<std::string> writes;

    std::optional<ui::MouseParameters> GetMouse() override {
        if (failing.contains("GetMouse")) return std::nullopt;
        return mouse;
    }
    std::optional<std::uint32_t> GetMouseSpeed() override {
        if (failing.contains("GetMouseSpeed")) return std::nullopt;
        return speed;
    }
    std::optional<std::uint32_t> GetWheelScrollLines() override {
        if (failing.contains("GetWheelScrollLines")) return std::nullopt;
        return wheelLines;
    }
    std::uint32_t GetDoubleClickTime() override {
        return failing.contains("GetDoubleClickTime") ? 0 : doubleClickTime;
    }
    bool SetMouse(const ui::MouseParameters& value) override {
        return Write(
            "SetMouse",
            std::to_string(value[0]) + "," + std::to_string(value[1]) + "," + std::to_string(value[2]),
            [&] { mouse = value; });
    }
    bool SetMouseSpeed(std::uint32_t value) override {
        return Write("SetMouseSpeed", std::to_string(value), [&] { speed = value; });
    }
    bool SetWheelScrollLines(std::uint32_t value) override {
        return Write("SetWheelScrollLines", std::to_string(value), [&] { wheelLines = value; });
    }
    bool SetDoubleClickTime(std::uint32_t value) override {
        return Write("SetDoubleClickTime", std::to_string(value), [&] { doubleClickTime = value; });
    }

  private:
    bool Write(const std::string& call, const std::string& value, const std::function<void()>& apply) {
        writes.push_back(call + " " + value);
        if (failing.contains(call)) return false;
        apply();
        return true;
    }
};

// The main window's host. RunModal initialises the dialog on a recording
// dialog host that shares the log, then lets `dialogScript` play the user.
class RecordingMainHost : public RecordingWindow<MainWindowHost> {
  public:
    RecordingMainHost() : RecordingWindow(log) {}

    std::vector<std::string> log;
    // The user's actions in the next modal dialogs; without one, the dialog is cancelled.
    std::function<void(SkinnedDialog&, RecordingDialogHost&)> dialogScript;
    std::set<std::string> dialogMissingImages;

    void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) override {
        Log("ShowBalloon " + std::string(text) + " | " + std::string(title) + " | " +
            std::to_string(timeoutMs));
    }
    void ShowTrayMenu(std::string_view exitText) override { Log("ShowTrayMenu " + std::string(exitText)); }
    void Quit() override { Log("Quit"); }
    void ResumeReader() override { Log("ResumeReader"); }
    void OpenUrl(std::string_view url) override { Log("OpenUrl " + std::string(url)); }
    void SetWindowTitle(std::string_view text) override {
        windowTitle = text;
        Log("SetWindowTitle " + std::string(text));
    }
    void ShowContextMenu(int commandId, std::string_view text) override {
        Log("ShowContextMenu " + std::to_string(commandId) + " " + std::string(text));
    }
    ui::PointerSettingsPort& PointerSettings() override { return pointer; }

    std::string windowTitle;
    FakePointerSettings pointer;

    DialogResult RunModal(SkinnedDialog& dialog) override {
        Log("RunModal");
        RecordingDialogHost dialogHost(log);
        dialogHost.missingImages = dialogMissingImages;
        if (!dialog.OnInitDialog(dialogHost)) return DialogResult::Cancel;
        if (dialogScript) dialogScript(dialog, dialogHost);
        return dialogHost.result().value_or(DialogResult::Cancel);
    }

    // The log lines that start with a prefix, in order.
    std::vector<std::string> Lines(std::string_view prefix) const;
    // How many lines are exactly this one.
    int Count(std::string_view line) const;
};

}  // namespace kv12::test
