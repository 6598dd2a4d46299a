#include "ui/macro_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/test_folder.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/page_context_fixture.h"
#include "ui/macro_area.h"

namespace kv12::test {
namespace {

using ui::KeyEvent;
using ui::MacroArea;
using ui::RecordState;

constexpr int MACROS = 151;
constexpr int SEQUENCE = 152;
constexpr Point START_RECORDING{740, 235};
constexpr Point STOP_RECORDING{740, 270};

using Items = std::vector<std::string>;

// Keys by their set-1 scan codes (the virtual-key codes do not name them).
constexpr std::uint8_t SCAN_A = 0x1E;
constexpr std::uint8_t SCAN_B = 0x30;
constexpr std::uint8_t SCAN_CTRL = 0x1D;  // extended: Right Ctrl
constexpr std::uint32_t VK_A = 0x41;
constexpr std::uint32_t VK_B = 0x42;
constexpr std::uint32_t VK_CONTROL = 0x11;

KeyEvent Down(std::uint32_t vk, std::uint8_t scan, bool extended = false) {
    return {vk, scan, extended, false, false};
}
// Windows repeats the key-down of a held key with the previous-state bit set.
KeyEvent Repeat(std::uint32_t vk, std::uint8_t scan, bool extended = false) {
    return {vk, scan, extended, true, false};
}
KeyEvent Up(std::uint32_t vk, std::uint8_t scan, bool extended = false) {
    return {vk, scan, extended, true, true};
}
const KeyEvent CTRL_BREAK = Down(ui::CTRL_BREAK_KEY, 0x46, true);

const std::string RECORD_INI = "[First]\r\nItemCount=1\r\nItem0=Z   Dn\r\n[Second]\r\nItemCount=0\r\n";

class MacroRecorderTest : public ::testing::Test {
  protected:
    MacroRecorderTest() { parts.files = ProgramFiles::InFolder(folder.path()); }

    void Build(bool withMacros = true) {
        if (withMacros) folder.Write("record.ini", RECORD_INI);
        area.Build();
        host.log.clear();
    }
    void StartRecording() {
        area.OnPress(START_RECORDING);
        ASSERT_TRUE(recorder().Capturing());
    }
    void Keys(const std::vector<KeyEvent>& events) {
        for (const KeyEvent& event : events) area.OnKeyEvent(event);
    }
    ui::MacroRecorder& recorder() { return area.Recorder(); }
    Items& Sequence() { return host.controls[SEQUENCE].items; }

    TestFolder folder;
    PageContextParts parts;
    RecordingMainHost& host = parts.host;
    MacroArea area{parts.context};
};

TEST_F(MacroRecorderTest, StartEmptiesTheSequenceCapturesKeysAndSaysHowToStop) {
    Build();
    ASSERT_FALSE(Sequence().empty());

    area.OnPress(START_RECORDING);

    EXPECT_EQ(host.log,
              (std::vector<std::string>{"ShowMessage Start Recording | ", "ClearList 152", "StartKeyCapture",
                                        "SetWindowTitle Press Ctrl+Break key to stop recording"}));
    EXPECT_TRUE(Sequence().empty());
    EXPECT_TRUE(host.capturingKeys);
    EXPECT_EQ(recorder().State(), RecordState::Started);
    EXPECT_TRUE(recorder().RecordingStarted());
}

TEST_F(MacroRecorderTest, StartWithoutAnyMacroOnlyWarns) {
    Build(false);
    area.OnPress(START_RECORDING);
    EXPECT_EQ(host.log, std::vector<std::string>{"ShowMessage Macro name is blank | Warning"});
    EXPECT_FALSE(recorder().Capturing());
    EXPECT_FALSE(recorder().RecordingStarted());
}

TEST_F(MacroRecorderTest, ARefusedCaptureIsReportedWithItsCodeAndStartsNothing) {
    Build();
    host.keyCaptureError = 1428;

    area.OnPress(START_RECORDING);
    area.OnPress(STOP_RECORDING);

    EXPECT_EQ(host.log,
              (std::vector<std::string>{
                  "ShowMessage Start Recording | ", "ClearList 152", "StartKeyCapture",
                  "ShowMessage JournalRecordHook Install error code :1428\n | ",
                  // No start has succeeded, so Stop says so.
                  "ShowMessage Stop Recording | ",
                  "ShowMessage It doesn’t start recording, unnecessary to press Stop key! | Warning"}));
    EXPECT_EQ(host.windowTitle, "");
    EXPECT_FALSE(recorder().Capturing());
}

struct PatternCase {
    const char* label;
    std::vector<KeyEvent> keys;
    Items items;
};

class RecordedPatterns : public MacroRecorderTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(RecordedPatterns, KeysBecomeItemsWithFiftyMillisecondsBetweenEvents) {
    Build();
    StartRecording();

    Keys(GetParam().keys);

    EXPECT_EQ(Sequence(), GetParam().items);
    EXPECT_EQ(host.ListSelection(SEQUENCE), static_cast<int>(GetParam().items.size()) - 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(MacroRecorder, RecordedPatterns, ::testing::Values(
    PatternCase{"TwoKeysOneAfterTheOther",
                {Down(VK_A, SCAN_A), Up(VK_A, SCAN_A), Down(VK_B, SCAN_B), Up(VK_B, SCAN_B)},
                {"A   Dn", "50 ms", "A   Up", "50 ms", "B   Dn", "50 ms", "B   Up"}},
    PatternCase{"HeldKeysRepeatsAreDropped",
                {Down(VK_A, SCAN_A), Repeat(VK_A, SCAN_A), Repeat(VK_A, SCAN_A), Repeat(VK_A, SCAN_A),
                 Up(VK_A, SCAN_A)},
                {"A   Dn", "50 ms", "A   Up"}},
    PatternCase{"SameKeyTwice",
                {Down(VK_A, SCAN_A), Up(VK_A, SCAN_A), Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)},
                {"A   Dn", "50 ms", "A   Up", "50 ms", "A   Dn", "50 ms", "A   Up"}},
    PatternCase{"ChordWithAHeldModifier",
                {Down(VK_CONTROL, SCAN_CTRL), Repeat(VK_CONTROL, SCAN_CTRL), Down(VK_B, SCAN_B),
                 Repeat(VK_B, SCAN_B), Up(VK_B, SCAN_B), Up(VK_CONTROL, SCAN_CTRL)},
                {"Ctrl   Dn", "50 ms", "B   Dn", "50 ms", "B   Up", "50 ms", "Ctrl   Up"}},
    PatternCase{"ExtendedKeysAreNamedApart",
                {Down(VK_CONTROL, SCAN_CTRL, true), Up(VK_CONTROL, SCAN_CTRL, true), Down(VK_CONTROL, SCAN_CTRL),
                 Up(VK_CONTROL, SCAN_CTRL)},
                {"Right Ctrl   Dn", "50 ms", "Right Ctrl   Up", "50 ms", "Ctrl   Dn", "50 ms", "Ctrl   Up"}},
    // A key held when the recording starts: its release still counts.
    PatternCase{"ReleaseBeforeAnyPress", {Up(VK_A, SCAN_A), Down(VK_B, SCAN_B)},
                {"50 ms", "A   Up", "B   Dn"}}),
    [](const auto& info) { return std::string(info.param.label); });
// clang-format on

TEST_F(MacroRecorderTest, CtrlBreakEndsTheRecordingWithoutBeingRecorded) {
    Build();
    StartRecording();
    host.log.clear();

    Keys({Down(VK_A, SCAN_A), Down(VK_CONTROL, SCAN_CTRL), CTRL_BREAK});

    // The Ctrl of the chord is taken back; A, still held, is released, so
    // the mouse never keeps a key pressed after the macro.
    EXPECT_EQ(Sequence(), (Items{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(host.Lines("StopKeyCapture").size(), 1u);
    EXPECT_FALSE(host.capturingKeys);
    EXPECT_EQ(recorder().State(), RecordState::Stopped);
    EXPECT_EQ(host.windowTitle, "Press Ctrl+Break key to stop recording");  // nothing gives the old one back

    // Nothing more is recorded, and keys reach the page again.
    Keys({Up(VK_A, SCAN_A)});
    EXPECT_EQ(Sequence().size(), 3u);
    EXPECT_FALSE(area.DiscardsKey(Down(VK_B, SCAN_B)));
}

struct EndCase {
    const char* name;
    std::vector<KeyEvent> keys;
    bool byCtrlBreak;
    Items sequence;
};

class RecordingEnds : public MacroRecorderTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RecordingEnds, NeverLeaveAKeyPressed) {
    Build();
    StartRecording();
    Keys(GetParam().keys);
    if (GetParam().byCtrlBreak) {
        Keys({CTRL_BREAK});
    } else {
        area.OnPress(STOP_RECORDING);
    }
    EXPECT_EQ(Sequence(), GetParam().sequence);
    EXPECT_FALSE(recorder().Capturing());
}

INSTANTIATE_TEST_SUITE_P(
    MacroRecorder, RecordingEnds,
    ::testing::Values(
        EndCase{"CtrlBreakAlone", {Down(VK_CONTROL, SCAN_CTRL)}, true, Items{}},
        EndCase{"RightCtrlBreakAfterAWholeKey",
                {Down(VK_A, SCAN_A), Up(VK_A, SCAN_A), Down(VK_CONTROL, SCAN_CTRL, true)},
                true,
                Items{"A   Dn", "50 ms", "A   Up"}},
        // A Ctrl that was pressed for the macro and is still held before other keys is the macro's.
        EndCase{"CtrlHeldForTheMacroIsReleased",
                {Down(VK_CONTROL, SCAN_CTRL), Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)},
                true,
                Items{"Ctrl   Dn", "50 ms", "A   Dn", "50 ms", "A   Up", "50 ms", "Ctrl   Up"}},
        EndCase{"StopWithTwoKeysHeld",
                {Down(VK_A, SCAN_A), Down(VK_B, SCAN_B)},
                false,
                Items{"A   Dn", "50 ms", "B   Dn", "50 ms", "A   Up", "50 ms", "B   Up"}},
        EndCase{"StopAfterEverythingWasReleased",
                {Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)},
                false,
                Items{"A   Dn", "50 ms", "A   Up"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroRecorderTest, StopEndsTheCaptureAndASecondStopOnlyNotifies) {
    Build();
    area.OnPress(STOP_RECORDING);
    EXPECT_EQ(host.log,
              (std::vector<std::string>{
                  "ShowMessage Stop Recording | ",
                  "ShowMessage It doesn’t start recording, unnecessary to press Stop key! | Warning"}));

    StartRecording();
    Keys({Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)});
    host.log.clear();
    area.OnPress(STOP_RECORDING);
    area.OnPress(STOP_RECORDING);

    // The capture ends before the notice, so the keys that answer it are neither
    // recorded nor kept from the message box.
    EXPECT_EQ(host.log, (std::vector<std::string>{"StopKeyCapture", "ShowMessage Stop Recording | ",
                                                  "ShowMessage Stop Recording | "}));
    EXPECT_EQ(recorder().State(), RecordState::Stopped);
    EXPECT_EQ(Sequence(), (Items{"A   Dn", "50 ms", "A   Up"}));  // kept for Confirm
}

TEST_F(MacroRecorderTest, StartingAgainRestartsWithAnEmptySequence) {
    Build();
    StartRecording();
    Keys({Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)});
    host.log.clear();

    area.OnPress(START_RECORDING);
    Keys({Down(VK_B, SCAN_B)});

    EXPECT_EQ(host.log, (std::vector<std::string>{"StopKeyCapture", "ShowMessage Start Recording | ",
                                                  "ClearList 152", "StartKeyCapture",
                                                  "SetWindowTitle Press Ctrl+Break key to stop recording",
                                                  "AddListItem 152 B   Dn", "SetListSelection 152 0"}));
    EXPECT_EQ(Sequence(), Items{"B   Dn"});
}

TEST_F(MacroRecorderTest, TheLastRecordedKeyIsRememberedFromOneRecordingToTheNext) {
    Build();
    StartRecording();
    Keys({Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)});
    area.OnPress(STOP_RECORDING);
    ASSERT_EQ(recorder().PrevKeyName(), "A");

    StartRecording();
    // A key-down of A that says the key was down already counts as a repeat.
    Keys({Repeat(VK_A, SCAN_A), Down(VK_B, SCAN_B)});

    EXPECT_EQ(Sequence(), Items{"B   Dn"});
}

TEST_F(MacroRecorderTest, KeysWhileNoMacroIsSelectedAreDropped) {
    Build();
    StartRecording();
    host.controls[MACROS].selection = -1;
    Keys({Down(VK_A, SCAN_A), Up(VK_A, SCAN_A)});
    EXPECT_TRUE(Sequence().empty());

    // Nothing was recorded, so the first recorded key has no delay before it.
    host.controls[MACROS].selection = 1;
    Keys({Down(VK_B, SCAN_B)});
    EXPECT_EQ(Sequence(), Items{"B   Dn"});
}

TEST_F(MacroRecorderTest, WhileCapturingKeyDownsAreKeptFromThePage) {
    Build();
    EXPECT_FALSE(area.DiscardsKey(Down(VK_A, SCAN_A)));
    StartRecording();
    EXPECT_TRUE(area.DiscardsKey(Down(VK_A, SCAN_A)));
    EXPECT_TRUE(area.DiscardsKey(Repeat(VK_A, SCAN_A)));
    EXPECT_FALSE(area.DiscardsKey(Up(VK_A, SCAN_A)));
    area.OnPress(STOP_RECORDING);
    EXPECT_FALSE(area.DiscardsKey(Down(VK_A, SCAN_A)));
}

// Ctrl+Break ends the capture in its own key event; its key-down must still
// be kept from the window, whose dialog manager would take it for Esc.
TEST_F(MacroRecorderTest, TheCtrlBreakThatEndsARecordingNeverReachesTheWindow) {
    Build();
    StartRecording();
    Keys({CTRL_BREAK});
    ASSERT_FALSE(recorder().Capturing());
    EXPECT_TRUE(area.DiscardsKey(CTRL_BREAK));
}

TEST_F(MacroRecorderTest, NoticesAndTheWindowTextSpeakTheInterfaceLanguage) {
    struct Case {
        const char* code;
        Items log;
    };
    for (const Case& c : {Case{"CHS",
                               {"ShowMessage 开始录制 | ", "SetWindowTitle 按Ctrl+Break可以停止录制",
                                "ShowMessage 停止录制 | "}},
                          Case{"CHT",
                               {"ShowMessage 開始錄製 | ", "SetWindowTitle 按Ctrl+Break可以停止錄製",
                                "ShowMessage 停止錄製 | "}}}) {
        SCOPED_TRACE(c.code);
        parts.SetLanguage(c.code);
        area.TearDown();
        Build();
        area.OnPress(START_RECORDING);
        area.OnPress(STOP_RECORDING);
        Items log;
        for (const std::string& line : host.log) {
            if (line.starts_with("ShowMessage") || line.starts_with("SetWindowTitle")) log.push_back(line);
        }
        EXPECT_EQ(log, c.log);
    }
}

// Through the main window: keys reach the recorder while the advanced page is
// shown, and leaving the page ends the capture and the unconfirmed work.
TEST_F(MainWindowTest, LeavingTheAdvancedPageEndsTheRecordingSilently) {
    folder.Write("record.ini", RECORD_INI);
    Start();
    ShowAdvancedPage();
    window->OnLButtonDown(START_RECORDING);
    const KeyEvent keyA = Down(VK_A, SCAN_A);
    window->OnKeyEvent(keyA);
    ASSERT_EQ(host.controls[SEQUENCE].items, Items{"A   Dn"});
    EXPECT_TRUE(window->DiscardsKey(keyA));
    host.log.clear();

    window->BuildBasicPage();

    EXPECT_EQ(host.Lines("StopKeyCapture").size(), 1u);
    EXPECT_TRUE(host.Lines("ShowMessage").empty());
    EXPECT_EQ(host.windowTitle, "Press Ctrl+Break key to stop recording");
    EXPECT_FALSE(host.ControlExists(SEQUENCE));
    EXPECT_FALSE(window->DiscardsKey(keyA));

    // Back on the advanced page, record.ini's first macro is shown again.
    window->BuildAdvancedPage();
    EXPECT_EQ(host.controls[SEQUENCE].items, Items{"Z   Dn"});
    EXPECT_FALSE(host.capturingKeys);
}

}  // namespace
}  // namespace kv12::test
