// CHidMouseDlg: the behaviour of the main window, a borderless skinned window
// of two pages that lives in the notification area. The platform's window
// calls one entry point per message:
//
//   FindMouseAtStartup   WM_INITDIALOG, after the tray icon is added (the search for the mouse)
//   InitialiseWindow     WM_INITDIALOG, after the reader thread and device notifications exist
//   OnLButtonDown        WM_LBUTTONDOWN (client coordinates)
//   OnMouseMove          WM_MOUSEMOVE
//   OnMouseHover         WM_MOUSEHOVER
//   OnTrayIcon           WM_TRAYICON (0x401), lParam = the tray icon's mouse message
//   OnMouseNotice        WM_MOUSENOTICE (0x402), wParam = code, lParam = value
//   OnCommand            WM_COMMAND: 1028 tray Exit, the pages' controls, 32772
//   OnListPointerMove    WM_LISTPOINTERMOVE: the pointer moved onto an item of a page's popup list
//   OnKeyEvent           a key event while an area of the shown page captures keys
//   DiscardsKey          whether that key's message is kept from the window's controls
//   OnContextMenu        WM_CONTEXTMENU from a child control (a right-button press over it)
//   OnDeviceChange       WM_DEVICECHANGE with a device-interface record (event, device type, name)
//   OnNcPaint            WM_NCPAINT: true means the request was swallowed (the window starts hidden)
//   OnClose              WM_CLOSE
//   ControlColorsFor     WM_CTLCOLOR* of a child control
//
// WM_ERASEBKGND (copy the canvas), WM_PAINT, WM_DESTROY and the tray menu are
// the host's; MainWindowHost::Quit runs the shutdown clean-up.
//
// Each page is a list of areas (PageArea): the window draws a page's frame,
// headings and key rows itself, then lets the page's areas build in order. A
// press goes to the frame first, then to the shown page's areas in order
// (after each has closed its lists away from the point), and starts a window
// drag only when none of them took it. The areas are made in one place,
// CreatePageAreas (main_window_areas.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/preferences.h"
#include "core/program_files.h"
#include "core/settings_file.h"
#include "core/texts.h"
#include "device/connection_monitor.h"
#include "device/device_link.h"
#include "ui/assignment_dialogs.h"
#include "ui/dpi_area.h"
#include "ui/page_area.h"
#include "ui/skin_state.h"
#include "ui/window_host.h"

namespace kv12::ui {

// The tray icon's mouse messages the tray handler reacts to.
inline constexpr unsigned TRAY_LEFT_BUTTON_UP = 0x202;
inline constexpr unsigned TRAY_LEFT_DOUBLE_CLICK = 0x203;
inline constexpr unsigned TRAY_RIGHT_BUTTON_UP = 0x205;

// The tray menu's Exit item.
inline constexpr int ID_TRAY_EXIT = 1028;

// The pages; CurrentPage holds one of them.
enum Page : int { PAGE_NONE = 0, PAGE_BASIC = 1, PAGE_ADVANCED = 2 };

// Every hover region of both pages, in the order in which a move away from
// them redraws the flagged ones.
enum class HoverRegion : int {
    SkinButton,
    Minimise,
    Close,
    PreviousPage,
    NextPage,
    Ok,
    Apply,
    Cancel,
    PointerDefaults,
    New,
    Delete,
    Confirm,
    KeyDefaults,
    Row1,
    Row2,
    Row3,
    Row4,
    Row5,
    Row6,
};
inline constexpr int HOVER_REGION_COUNT = 19;

class CHidMouseDlg {
  public:
    // The link must outlive the window.
    CHidMouseDlg(MainWindowHost& host, DeviceLink& link, ProgramFiles files, WindowsVersion version);
    ~CHidMouseDlg();
    CHidMouseDlg(const CHidMouseDlg&) = delete;
    CHidMouseDlg& operator=(const CHidMouseDlg&) = delete;

    // --- entry points (see the table at the top) ---------------------------
    /// Looks for the mouse and runs the handshake (which sends its own notice);
    /// without a mouse, the not-detected balloon and deviceReady cleared. The
    /// search's message, if any, is shown.
    void FindMouseAtStartup();
    /// The portable start-up: config.bin into the block and its saved copy,
    /// the language and texts, the preferences, the skin and text colour, the
    /// canvas "/BasicSet2.png", the fonts, and the basic page when the mouse is ready.
    void InitialiseWindow();
    /// The click dispatcher.
    void OnLButtonDown(Point point);
    /// Hover tracking, or the flagged regions back to normal.
    void OnMouseMove(Point point);
    /// The region under the pointer in its over image.
    void OnMouseHover(Point point);
    /// Tray icon: left up / double click show the window, right up the Exit menu.
    void OnTrayIcon(unsigned mouseMessage);
    /// A balloon for a notice of the mouse or the device link; anything else is ignored.
    void OnMouseNotice(int code, long long value);
    /// Tray Exit (1028) ends the program; the pages' commands go to their areas.
    void OnCommand(int id, int notifyCode);
    /// Arrival and removal of the mouse's interfaces. Always true.
    bool OnDeviceChange(std::uint32_t event, std::uint32_t deviceType, std::string_view name);
    /// The first two non-client paints hide the window instead of painting.
    bool OnNcPaint();
    /// A close request only hides the window.
    void OnClose();
    /// How a child control is painted: as the shown page's area that owns it
    /// says, otherwise by the window's table.
    ControlColors ControlColorsFor(int id, ControlKind kind) const;
    /// The pointer moved onto item `item` of popup list `listId` (the host has
    /// made it the selection); the shown page's areas are told.
    void OnListPointerMove(int listId, int item);
    /// A captured key event, for the shown page's areas.
    void OnKeyEvent(const KeyEvent& event);
    /// Whether a shown page's area keeps this captured key from the controls.
    bool DiscardsKey(const KeyEvent& event) const;
    /// The context menu asked for over a child control, for the shown page's areas.
    void OnContextMenu(int controlId);

    // --- the pages' areas ----------------------------------------------------
    /// Appends an area to a page's list (PAGE_BASIC or PAGE_ADVANCED): it is
    /// built, offered presses and torn down after the areas already there.
    void AddPageArea(int page, std::unique_ptr<PageArea> area);
    /// What the areas are given: the window's own state, by reference.
    const PageContext& Context() const { return context_; }

    // --- operations the dispatcher runs (also for the page areas) -----------
    /// Shows the basic page (builds it unless it is the page shown).
    void BuildBasicPage();
    /// Shows the advanced page (builds it unless it is the page shown).
    void BuildAdvancedPage();
    /// Tears down and builds again the page that is shown.
    void RebuildShownPage();
    /// Runs the skin chooser and applies its choice.
    void ApplySkin();
    /// Redraws the six drop-down boxes and the mode buttons and presents
    /// (after the key mode, an assignment or its text changed).
    void RedrawKeyArea();

    // --- state -------------------------------------------------------------
    int CurrentPage() const { return currentPage_; }
    bool BasicPageBuilt() const { return basicPageBuilt_; }
    bool RebuildOnShow() const { return rebuildOnShow_; }
    bool HoverFlag(HoverRegion region) const { return hoverFlags_[static_cast<std::size_t>(region)]; }
    SettingsStore& Store() { return store_; }
    const SettingsStore& Store() const { return store_; }
    std::array<std::string, ITEM_TEXT_COUNT>& ItemTexts() { return prefs_.itemTexts; }
    const Preferences& LoadedPreferences() const { return prefs_; }
    const std::string& LanguageCode() const { return languageCode_; }
    const MainTexts& Texts() const { return texts_; }
    const SkinState& Skin() const { return skin_; }
    DpiArea& Dpi() { return *dpi_; }
    bool DeviceReady() const { return link_.DeviceReady(); }
    std::uint8_t SensorType() const { return link_.state().sensorType; }
    const ProgramFiles& Files() const { return files_; }
    MainWindowHost& Host() { return host_; }

  private:
    class Connection;  // the connection monitor's view of this window

    using AreaList = std::vector<std::unique_ptr<PageArea>>;

    // The areas of both pages, in the order they are built and offered presses.
    void CreatePageAreas();
    AreaList* AreasOf(int page);
    const AreaList* AreasOf(int page) const;
    // Dispatcher pieces.
    void ApplyAndSave();
    bool DispatchToAreas(Point point);
    // Pages.
    void TearDownPage(int page);
    void FirstBasicBuild();
    void DrawFrameImages(std::span<const HoverRegion> regions);
    void DrawBottomButtonTexts();
    void DrawHeading(int row, Rect rect);
    void DrawKeyRows();
    void DrawModeButtons();
    void DrawBasicPage();
    void DrawAdvancedPage();
    // Hover.
    std::optional<HoverRegion> HoverRegionAt(Point point) const;
    std::string_view RegionText(HoverRegion region) const;
    const std::string& ItemTextOfRow(int row) const;
    void DrawRegion(HoverRegion region, bool over);
    bool RegionOnShownPage(HoverRegion region) const;
    // Messages for the user, in order.
    void ShowMessages(const std::vector<UserMessage>& messages);
    // The canvas from the stored skin, else from the first skin folder that
    // has the page background; adds the message saying what happened.
    void LoadCanvasOrFallBack(std::vector<UserMessage>& messages);

    MainWindowHost& host_;
    DeviceLink& link_;
    ProgramFiles files_;
    WindowsVersion version_;
    std::unique_ptr<Connection> connection_;

    SettingsStore store_;
    Preferences prefs_;
    std::string languageCode_;
    MainTexts texts_;
    SkinState skin_;
    PageContext context_;                                   // refers to the members above
    std::unique_ptr<AssignmentDialogs> assignmentDialogs_;  // what the assignment menus run
    AreaList basicAreas_;
    AreaList advancedAreas_;
    DpiArea* dpi_ = nullptr;  // one of basicAreas_

    int currentPage_ = PAGE_NONE;
    bool basicPageBuilt_ = false;
    bool rebuildOnShow_ = false;
    bool canvasLoaded_ = false;
    bool initialised_ = false;   // InitialiseWindow has run
    std::string noSkinMessage_;  // why there is no canvas, when no skin could give one
    int hiddenNcPaints_ = 2;
    std::array<bool, HOVER_REGION_COUNT> hoverFlags_{};
};

}  // namespace kv12::ui
