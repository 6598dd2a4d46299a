// A main window on a recording host, with its files in a fresh folder and a
// simulated mouse behind its device link.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/program_files.h"
#include "core/settings_file.h"
#include "tests/core/test_folder.h"
#include "tests/device/sim_fixture.h"
#include "tests/ui/recording_host.h"
#include "ui/main_window.h"
#include "ui/page_areas.h"

namespace kv12::test {

// Records what the dispatcher and the page builders ask of the pages' other areas.
class RecordingAreas : public ui::PageAreas {
  public:
    explicit RecordingAreas(std::vector<std::string>& log) : log_(log) {}
    void CloseBasicListsAwayFrom(Point p) override { Log("CloseBasicListsAwayFrom " + Describe(p)); }
    void SelectKeyMode(int mode) override { Log("SelectKeyMode " + std::to_string(mode)); }
    void RestoreDefaultKeys() override { Log("RestoreDefaultKeys"); }
    void ToggleAssignmentList(int button) override { Log("ToggleAssignmentList " + std::to_string(button)); }
    void OpenLightingList(int list) override { Log("OpenLightingList " + std::to_string(list)); }
    void BuildBasicArea() override { Log("BuildBasicArea"); }
    void TearDownBasicArea() override { Log("TearDownBasicArea"); }
    void CloseMouseEventListAwayFrom(Point p) override { Log("CloseMouseEventListAwayFrom " + Describe(p)); }
    void TogglePointerSwitch(int which) override { Log("TogglePointerSwitch " + std::to_string(which)); }
    void RestorePointerDefaults() override { Log("RestorePointerDefaults"); }
    void StartRecording() override { Log("StartRecording"); }
    void StopRecording() override { Log("StopRecording"); }
    void PressMacroButton(int button) override { Log("PressMacroButton " + std::to_string(button)); }
    void ToggleMouseEventList() override { Log("ToggleMouseEventList"); }
    void SetPointerSlider(int slider, int cell) override {
        Log("SetPointerSlider " + std::to_string(slider) + " " + std::to_string(cell));
    }
    void BuildAdvancedArea() override { Log("BuildAdvancedArea"); }
    void TearDownAdvancedArea() override { Log("TearDownAdvancedArea"); }
    void ApplyPointerSettings() override { Log("ApplyPointerSettings"); }
    void OnCommand(int id, int code) override {
        Log("OnCommand " + std::to_string(id) + " " + std::to_string(code));
    }

  private:
    void Log(std::string line) { log_.push_back("areas." + std::move(line)); }
    std::vector<std::string>& log_;
};

// The settings most tests start from: a saved config.bin (not a first run)
// with stages 1 and 2 on, and texts in str.ini.
SettingsBlock SampleBlock();
inline constexpr const char* SAMPLE_STR_INI =
    "[Skins]\r\nLan=\r\nRColor=255\r\nGColor=200\r\nBColor=0\r\nPath=Blue\r\n"
    "[Setting-EN]\r\nItem1=Left Click\r\nItem2=Right Click\r\nItem3=Mid Click\r\nItem4=Forward\r\n"
    "Item5=Backward\r\nItem6=DPI Loop\r\nItem7=Key Off\r\nItem8=Key Off\r\n"
    "Item13=B one\r\nItem23=B two\r\nItem33=B three\r\nItem43=B four\r\nItem53=B five\r\nItem63=B six\r\n"
    "Item73=B seven\r\nItem83=B eight\r\n";

class MainWindowTest : public ::testing::Test {
  protected:
    // Writes the sample config.bin and str.ini (unless told not to), then
    // starts the window as the program does: search, then initialisation.
    void Start(bool mousePlugged = true, VirtualMouseOptions options = {});
    void WriteSampleFiles();
    // Brings up the advanced page and forgets the log so far.
    void ShowAdvancedPage();
    // The log lines of actions (everything but drawing), in order.
    std::vector<std::string> Actions() const;

    TestFolder folder;
    RecordingMainHost host;
    RecordingAreas areas{host.log};
    std::unique_ptr<SimulatedMouse> sim;
    std::unique_ptr<ui::CHidMouseDlg> window;
    ui::WindowsVersion version{10, 0};
    bool writeSampleFiles = true;
};

}  // namespace kv12::test
