// What the window behaviour needs from the platform. The portable window
// classes (the main window, the skin chooser, ...) keep all the logic: which
// rectangle a click hits, what is drawn where, which file is written. A host
// carries out the few things only the platform can do: draw into the window's
// canvas and put it on the screen, create the handful of real child controls,
// show message boxes, balloons, menus and the colour chooser. The Win32 host
// does it with GDI/GDI+; tests use a host that records every call.
//
// Text is UTF-8 throughout; the Win32 host converts at its boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/pointer_port.h"

namespace kv12::ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Client-area rectangle; a point on the right or bottom edge is outside.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr bool Contains(Point p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Point TopLeft() const { return {left, top}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A font as CreateFontW takes it: face, positive cell height, weight.
struct FontSpec {
    std::string face;
    int height = 0;
    int weight = 400;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Which of the window's fonts a text is drawn with. A dialog has one font
// (its DialogFont), which is its Normal font.
enum class FontRole { Normal, Title };

// DrawText formats used by the windows.
enum class TextFormat {
    Centered,  // DT_CENTER | DT_VCENTER | DT_SINGLELINE: button captions, headings
    Left,      // DT_VCENTER | DT_SINGLELINE: drop-down rows, labels
    Right,     // DT_RIGHT | DT_VCENTER | DT_SINGLELINE: the DPI scale, the labels left of a row
    // DT_WORDBREAK, left-aligned: the text is broken into lines at word
    // boundaries and the block of lines is centred vertically in the
    // rectangle (the host measures it first). Longer option texts.
    WrappedLeft,
};

// One key event as the platform reports it: the key's virtual-key code, its
// set-1 scan code and extended flag (which name it: KeyNameFromScanCode), and
// the keystroke flags' previous-state and transition bits.
struct KeyEvent {
    std::uint32_t virtualKey = 0;
    std::uint8_t scanCode = 0;
    bool extended = false;  // right-hand Ctrl and Alt, the cursor block, keypad Enter, ...
    bool wasDown = false;   // the key was down before: an auto-repeat, or a release
    bool released = false;  // the key goes up
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The kinds of real child control, as WM_CTLCOLOR* tells them apart.
enum class ControlKind { Static, Edit, ListBox, Button, Other };

// Window styles the windows give their child controls.
inline constexpr std::uint32_t STYLE_STATIC = 0x50000000;           // WS_CHILD | WS_VISIBLE
inline constexpr std::uint32_t STYLE_STATIC_CENTERED = 0x50000001;  // ... | SS_CENTER
// WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, with a scroll bar when the
// items do not fit (WS_VSCROLL) and the list's height kept as laid out
// (LBS_NOINTEGRALHEIGHT: otherwise the system fits it to the item height of
// the font the list had before the window's font was set, and cuts the last
// item in half).
inline constexpr std::uint32_t STYLE_POPUP_LIST = 0x50A00101;

struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    Rect rect;
    std::uint32_t style = 0;  // window style bits, as for CreateWindowExW
    std::string text;
    // List boxes that pop up from a box: while the pointer moves over the
    // list, the item under it becomes the selection (without a notification).
    // The host does this itself, as only it knows where the items are.
    bool selectionFollowsPointer = false;
};

// Notification codes of a list box (LBN_SELCHANGE, LBN_DBLCLK), passed to the
// windows' OnCommand entry points.
inline constexpr int LIST_SELECTION_CHANGED = 1;
inline constexpr int LIST_DOUBLE_CLICKED = 2;
// Notification codes of an edit box (EN_KILLFOCUS, EN_CHANGE).
inline constexpr int EDIT_FOCUS_LOST = 0x0200;
inline constexpr int EDIT_CHANGED = 0x0300;

// How a child control is painted (the answer to WM_CTLCOLOR*). Unset fields
// keep the platform's default; brush unset means the default handling's brush.
// The host keeps the one brush it made last and deletes it before making the
// next (or when the window goes), so brushes never pile up.
struct ControlColors {
    std::optional<Rgb> text{};
    bool transparent = false;
    std::optional<Rgb> background{};
    bool useNormalFont = false;  // select the window's Normal font (a dialog's DialogFont)
    std::optional<Rgb> brush{};
    bool defaultHandling = false;  // leave the control to the platform altogether
    friend bool operator==(const ControlColors&, const ControlColors&) = default;
};

// The Windows version as GetVersion reports it (major in the low byte, minor
// in the next); the fonts of simplified Chinese depend on it.
struct WindowsVersion {
    int major = 0;
    int minor = 0;
    friend bool operator==(const WindowsVersion&, const WindowsVersion&) = default;
};

// One window's canvas and the platform services that go with it.
class WindowHost {
  public:
    virtual ~WindowHost() = default;

    // --- the canvas --------------------------------------------------------
    // Decodes the skin image (a name such as "/BasicSet2.png", appended to
    // the current skin folder), makes it the window's canvas and sizes the
    // window to it. False when the image cannot be decoded: the window then
    // has no canvas and zero size, and every drawing call draws nothing.
    virtual bool LoadCanvas(std::string_view imageName) = 0;
    // Draws a skin image at its natural size into the canvas, with per-pixel
    // alpha. False when it cannot be decoded (nothing is drawn). The main
    // window's host says nothing then; a dialog's host shows
    // "LoadPng---Load image failed." each time.
    virtual bool DrawImage(std::string_view imageName, Point at) = 0;
    // Decodes a skin image the window will draw later (a hover region's over
    // image), so that the pointer's first pass over the region does not wait
    // for the file. Draws nothing; the host keeps the image while the window
    // is shown, and decodes it again when the window shows after a hide.
    virtual void PrepareImage(std::string_view imageName) = 0;
    // Draws a text into the canvas with one of the window's fonts, in
    // TRANSPARENT mode.
    virtual void DrawText(std::string_view text, Rect rect, TextFormat format, FontRole font, Rgb color) = 0;
    // Copies the whole client area of the canvas to the screen in one block
    // transfer. The windows call it once per change.
    virtual void Present() = 0;
    // The folder images are taken from (changes with the skin).
    virtual void SetSkinFolder(const std::string& folder) = 0;
    // Creates (or replaces) the window's fonts.
    virtual void SetFonts(const FontSpec& normal, const FontSpec& title) = 0;

    // --- the window --------------------------------------------------------
    // Hides the window. The host may drop the canvas's pixels meanwhile; the
    // window keeps drawing as if it had them (the draws count for the next show).
    virtual void Hide() = 0;
    // Brings the window to the foreground and shows it, with the canvas as the
    // window left it.
    virtual void ShowInForeground() = 0;
    // Asks for a hover notification after the pointer rests 10 ms (and, for
    // the main window, a leave notification).
    virtual void TrackHover() = 0;
    // Lets the user move the borderless window from the pressed point
    // (WM_NCLBUTTONDOWN with HTCAPTION).
    virtual void StartDrag(Point from) = 0;

    // --- child controls ----------------------------------------------------
    virtual void CreateControl(const ControlSpec& desc) = 0;
    virtual void DestroyControl(int id) = 0;
    virtual bool ControlExists(int id) const = 0;
    virtual void SetControlText(int id, std::string_view text) = 0;
    // Makes the control repaint (it then asks for its colours again).
    virtual void InvalidateControl(int id) = 0;
    // Appends an item to a list box (LB_ADDSTRING).
    virtual void AddListItem(int id, std::string_view text) = 0;
    // Inserts an item before position `index` (LB_INSERTSTRING); an index at
    // or past the end appends.
    virtual void InsertListItem(int id, int index, std::string_view text) = 0;
    // Removes one item (LB_DELETESTRING); nothing happens out of range.
    virtual void DeleteListItem(int id, int index) = 0;
    // Removes every item (LB_RESETCONTENT).
    virtual void ClearList(int id) = 0;
    // How many items a list box holds; 0 when it does not exist.
    virtual int ListItemCount(int id) const = 0;
    // The text of one item; empty out of range or when the list does not exist.
    virtual std::string ListItemText(int id, int index) const = 0;
    // The selected item's position in a list box, or -1 when none is selected
    // or the list does not exist.
    virtual int ListSelection(int id) const = 0;
    // Scrolls a list box by whole lines: positive down, negative up.
    virtual void ScrollList(int id, int lines) = 0;
    // Makes an item of a list box the selection without a notification
    // (LB_SETCURSEL); -1 clears it.
    virtual void SetListSelection(int id, int index) = 0;
    // The rectangle of a list item, relative to the list's client area
    // (LB_GETITEMRECT); nullopt when the list or the item does not exist.
    virtual std::optional<Rect> ListItemRect(int id, int index) const = 0;
    // The text of a control (an edit box as the user left it); empty when the
    // control does not exist.
    virtual std::string ControlText(int id) const = 0;
    // Enables or disables a control (a disabled edit takes no focus or keys).
    virtual void EnableControl(int id, bool enabled) = 0;
    // The id of the child control that has the keyboard focus, or 0.
    virtual int FocusedControl() const = 0;

    // --- key capture --------------------------------------------------------
    // Starts delivering every key event of the program's windows to this
    // window's OnKeyEvent, on the user-interface thread, before the key
    // message itself is processed (a keyboard hook of that thread). Returns 0
    // when capture runs, otherwise the system's error code. At most one
    // capture runs at a time in the program.
    virtual std::uint32_t StartKeyCapture() = 0;
    // Stops it (nothing happens when none runs). A window's capture also
    // stops when the window goes.
    virtual void StopKeyCapture() = 0;

    // --- system services ---------------------------------------------------
    // A modal message box with an OK button; an empty caption means the
    // application's title.
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
    // The system colour chooser, starting at `initial`; nullopt when cancelled.
    virtual std::optional<Rgb> ChooseColor(Rgb initial) = 0;
};

enum class DialogResult { Ok, Cancel };

// The window of a sub-dialog (a modal, skinned dialog on an empty template).
class DialogHost : public WindowHost {
  public:
    // Ends the modal loop with this result once the current handler returns.
    virtual void EndDialog(DialogResult result) = 0;
};

// A sub-dialog's behaviour, driven by the platform's dialog window. Each entry
// point is the handler of one window message (noted in brackets).
class SkinnedDialog {
  public:
    virtual ~SkinnedDialog() = default;
    // [WM_INITDIALOG] The host stays valid until the dialog has ended. False
    // means the dialog cannot run (its background is missing; it has said so):
    // the host then ends it at once with the cancel result.
    virtual bool OnInitDialog(DialogHost& host) = 0;
    // [WM_ERASEBKGND] Paints the dialog's fixed picture into the canvas and
    // presents it. The host reports the background as erased.
    virtual void OnEraseBackground() = 0;
    // [WM_LBUTTONDOWN] Client coordinates.
    virtual void OnLButtonDown(Point point) = 0;
    // [WM_MOUSEMOVE]
    virtual void OnMouseMove(Point point) = 0;
    // [WM_MOUSEHOVER]
    virtual void OnMouseHover(Point point) = 0;
    // [WM_MOUSEWHEEL] The wheel delta as the message carries it.
    virtual void OnMouseWheel(int delta) = 0;
    // [WM_COMMAND] from a child control: its id and notification code.
    virtual void OnCommand(int id, int notifyCode) = 0;
    // [WM_CTLCOLOR*]
    virtual ControlColors ControlColorsFor(int id, ControlKind kind) const = 0;
    // The pointer moved over item `item` of a list created with
    // selectionFollowsPointer (the host has already made it the selection).
    virtual void OnListPointerMove(int /*listId*/, int /*item*/) {}
    // [key capture] One key event, while the dialog captures keys.
    virtual void OnKeyEvent(const KeyEvent& /*event*/) {}
    // The Enter and Esc keys (the dialog manager's IDOK and IDCANCEL without
    // a control): each dialog has its own rule; by default Enter is OK and
    // Esc is Cancel.
    virtual void OnEnterKey() = 0;
    virtual void OnEscapeKey() = 0;
    // Whether a key message of this virtual key is discarded before it
    // reaches the dialog's controls (key capture has already seen it).
    virtual bool DiscardsKey(std::uint32_t /*virtualKey*/) const { return false; }
};

// The main window's host: the window above plus the notification area, the
// process and the modal sub-dialogs.
class MainWindowHost : public WindowHost {
  public:
    // A balloon of the tray icon (NIM_MODIFY with the information icon).
    virtual void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) = 0;
    // The tray icon's popup menu with its one item, Exit (command 1028), at
    // the cursor; a choice comes back as the main window's OnCommand(1028).
    virtual void ShowTrayMenu(std::string_view exitText) = 0;
    // Shutdown: closes the device handles and the reader's event, removes the
    // tray icon and ends the process with exit code 0. In a test it returns.
    virtual void Quit() = 0;
    // Lets the notice reader run (it may already be running).
    virtual void ResumeReader() = 0;
    // Opens the web page in the user's browser (ShellExecuteW "open").
    virtual void OpenUrl(std::string_view url) = 0;
    // Runs a sub-dialog modally over the main window and returns its result.
    virtual DialogResult RunModal(SkinnedDialog& dialog) = 0;
    // The window's title (what the taskbar and Alt+Tab show).
    virtual void SetWindowTitle(std::string_view text) = 0;
    // The sequence list's context menu (menu 178) at the cursor, its one item
    // showing `text`; a choice comes back as the main window's
    // OnCommand(commandId, 0).
    virtual void ShowContextMenu(int commandId, std::string_view text) = 0;
    // The Windows pointer settings.
    virtual PointerSettingsPort& PointerSettings() = 0;
};

}  // namespace kv12::ui
