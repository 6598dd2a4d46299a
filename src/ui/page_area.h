// One area of a main-window page (the DPI and report-rate area, the assignment
// menus, the lighting rows, the pointer settings, the macro area) behind one
// small interface. The main window builds and tears down its pages area by
// area, offers each press to the frame, then to the shown page's areas in
// order, and starts a window drag only when none of them took it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/preferences.h"
#include "core/program_files.h"
#include "core/settings_file.h"
#include "core/texts.h"
#include "ui/skin_state.h"
#include "ui/window_host.h"

namespace kv12::ui {

// What an area may use of the main window. Every member refers to the main
// window's own state, so a change there (a Cancel, a new skin, a reloaded
// language) is seen by the areas at their next call.
struct PageContext {
    MainWindowHost& host;  // drawing, controls, messages, and RunModal for the sub-dialogs
    SettingsStore& store;  // the block the pages edit, its saved copy, the first-run flag
    std::array<std::string, ITEM_TEXT_COUNT>& itemTexts;  // the sixteen button labels
    const std::string& languageCode;                      // "CHS", "CHT", otherwise English
    const MainTexts& texts;                               // the main window's texts in that language
    const SkinState& skin;                                // image folder and text colour
    const ProgramFiles& files;                            // config.bin, str.ini, record.ini, Skins
    WindowsVersion version;                               // for the dialogs' fonts
};

class PageArea {
  public:
    virtual ~PageArea() = default;

    /// Draws the area into the canvas and creates its controls while its page
    /// is built; the main window presents once afterwards.
    virtual void Build() = 0;
    /// Destroys the area's controls and open lists when its page is left or rebuilt.
    virtual void TearDown() = 0;
    /// Closes the area's open lists whose list and opener both miss the point;
    /// run on every area of the page before any press is dispatched.
    virtual void CloseListsAwayFrom(Point /*point*/) {}
    /// A press on the page; true when it hit one of the area's controls (the
    /// press then goes no further and never starts a window drag).
    virtual bool OnPress(Point point) = 0;
    /// WM_COMMAND of a child control (list or edit notifications, menu
    /// commands); true when the id is the area's.
    virtual bool OnCommand(int /*id*/, int /*notifyCode*/) { return false; }
    /// The pointer moved over item `item` of one of the area's lists (the host
    /// has made it the selection already).
    virtual void OnListPointerMove(int /*listId*/, int /*item*/) {}
    /// The colours of one of the area's controls; nullopt for another's.
    virtual std::optional<ControlColors> ControlColorsFor(int /*id*/, ControlKind /*kind*/) const {
        return std::nullopt;
    }
    /// One key event while the area captures keys (the macro recorder).
    virtual void OnKeyEvent(const KeyEvent& /*event*/) {}
    /// Whether a captured key's message is kept from the page's controls (the
    /// recorder keeps typed keys from acting on the page).
    virtual bool DiscardsKey(const KeyEvent& /*event*/) const { return false; }
    /// The context menu was asked for over one of the area's controls (a
    /// right-button press); true when the id is the area's.
    virtual bool OnContextMenu(int /*controlId*/) { return false; }
    /// OK and Apply, after the mouse's settings went out.
    virtual void OnApplied() {}
};

}  // namespace kv12::ui
