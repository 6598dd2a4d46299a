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
#include "ui/page_area.h"

namespace kv12::test {

// An area that records what the window asks of it and takes presses on the
// regions it is given, logging each under the name of the action the area
// behind that region runs ("areas.SelectKeyMode 0").
class RecordingArea : public ui::PageArea {
  public:
    struct Region {
        Rect rect;
        std::string action;
    };
    struct Names {
        std::string build, tearDown, closeLists, applied;  // an empty name is not logged
    };

    RecordingArea(std::vector<std::string>& log, Names names, std::vector<Region> regions)
        : log_(log), names_(std::move(names)), regions_(std::move(regions)) {}

    void Build() override { Log(names_.build); }
    void TearDown() override { Log(names_.tearDown); }
    void CloseListsAwayFrom(Point p) override { Log(names_.closeLists + " " + Describe(p)); }
    bool OnPress(Point point) override {
        for (const Region& region : regions_) {
            if (region.rect.Contains(point)) {
                Log(region.action);
                return true;
            }
        }
        return false;
    }
    bool OnCommand(int id, int code) override {
        Log("OnCommand " + std::to_string(id) + " " + std::to_string(code));
        return false;
    }
    void OnApplied() override { Log(names_.applied); }

  private:
    void Log(const std::string& line) {
        if (!line.empty()) log_.push_back("areas." + line);
    }
    std::vector<std::string>& log_;
    Names names_;
    std::vector<Region> regions_;
};

// A recording area after the basic page's own areas, and recording areas in
// the places of the advanced page's pointer and macro areas.
std::unique_ptr<RecordingArea> BasicRecordingArea(std::vector<std::string>& log);
std::unique_ptr<RecordingArea> AdvancedRecordingArea(std::vector<std::string>& log);

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
    std::unique_ptr<SimulatedMouse> sim;
    std::unique_ptr<ui::CHidMouseDlg> window;
    ui::WindowsVersion version{10, 0};
    bool writeSampleFiles = true;
};

}  // namespace kv12::test
