// The Win32 side of a skinned window: its canvas, fonts, child controls and
// the services every window shares (message boxes, the colour chooser). The
// main window and the sub-dialogs each add their own few services on top.
// UTF-8 from the portable layer becomes UTF-16 here and nowhere else.
//
// Pixels are held only while the window can be seen. Hide drops the canvas,
// the page background and every decoded image, and keeps the canvas's recipe
// (CanvasRecipe: its background and the draws since); ShowInForeground makes
// the same canvas again from it before the window appears. The portable
// window notices nothing: its draws while hidden go into the recipe.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/windows_api.h"

#include "ui/window_host.h"
#include "win32/canvas.h"
#include "win32/canvas_recipe.h"
#include "win32/debug_log.h"
#include "win32/gdi_handles.h"
#include "win32/image_cache.h"
#include "win32/keyboard_hook.h"

namespace kv12::win32 {

// What the hosts of one program share.
struct HostContext {
    ImageCache* images = nullptr;  // the window's decoded skin images (each dialog has its own)
    std::wstring appTitle;         // the caption of message boxes that name none
    DebugLog* log = nullptr;       // may be null
};

// Text of a DrawText format.
UINT DrawTextFlags(ui::TextFormat format);
// The control kind a WM_CTLCOLOR* message is about.
ui::ControlKind ControlKindOf(UINT message);

template <typename Base>
class WindowHostBase : public Base {
  public:
    // isDialog: a sub-dialog, which reports a missing element image in a
    // message box (the main window stays silent).
    WindowHostBase(HostContext context, bool isDialog) : context_(std::move(context)), isDialog_(isDialog) {}
    ~WindowHostBase() override = default;

    // The window this host draws; set in WM_INITDIALOG before the portable
    // window's initialisation runs.
    void Attach(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    // --- ui::WindowHost ------------------------------------------------------
    bool LoadCanvas(std::string_view imageName) override;
    bool DrawImage(std::string_view imageName, ui::Point at) override;
    void PrepareImage(std::string_view imageName) override;
    void DrawText(std::string_view text, ui::Rect rect, ui::TextFormat format, ui::FontRole font,
                  ui::Rgb color) override;
    void Present() override;
    void SetSkinFolder(const std::string& folder) override;
    void SetFonts(const ui::FontSpec& normal, const ui::FontSpec& title) override;
    void Hide() override;
    void ShowInForeground() override;
    void TrackHover() override;
    void StartDrag(ui::Point from) override;
    void CreateControl(const ui::ControlSpec& desc) override;
    void DestroyControl(int id) override;
    bool ControlExists(int id) const override;
    void SetControlText(int id, std::string_view text) override;
    void InvalidateControl(int id) override;
    void AddListItem(int id, std::string_view text) override;
    void InsertListItem(int id, int index, std::string_view text) override;
    void DeleteListItem(int id, int index) override;
    void ClearList(int id) override;
    int ListItemCount(int id) const override;
    std::string ListItemText(int id, int index) const override;
    int ListSelection(int id) const override;
    void ScrollList(int id, int lines) override;
    void SetListSelection(int id, int index) override;
    std::optional<ui::Rect> ListItemRect(int id, int index) const override;
    std::string ControlText(int id) const override;
    void EnableControl(int id, bool enabled) override;
    int FocusedControl() const override;
    std::uint32_t StartKeyCapture() override;
    void StopKeyCapture() override;
    void ShowMessage(std::string_view text, std::string_view caption) override;
    std::optional<ui::Rgb> ChooseColor(ui::Rgb initial) override;

    // --- for the window's message handling -----------------------------------
    // WM_ERASEBKGND: copies the canvas (the part in the context's clip box).
    void PaintBackground(HDC dc);
    // WM_CTLCOLOR*: applies the colours to the control's context and returns
    // the brush, or nothing for the default handling.
    std::optional<INT_PTR> ApplyControlColors(UINT message, WPARAM wParam, LPARAM lParam,
                                              const ui::ControlColors& colors);
    bool HasCanvas() const { return canvas_.has_value(); }
    const Canvas* CanvasForTest() const { return canvas_ ? &*canvas_ : nullptr; }
    // The page background held beside the canvas (not in the image cache).
    const std::filesystem::path& BackgroundFileForTest() const { return backgroundFile_; }
    const CanvasRecipe& RecipeForTest() const { return recipe_; }
    // Destroys the child controls and the fonts and brush (WM_DESTROY).
    void ReleaseWindowResources();
    // From now on a canvas loaded while the window is hidden keeps no pixels:
    // the background is decoded only to check it and take the window's size,
    // and the draws wait for the first show (the main window, which starts
    // hidden in the tray).
    void KeepNoPixelsWhileHidden() { keepNoPixelsWhileHidden_ = true; }

  protected:
    // Key capture hands each event to the window's portable behaviour; a true
    // answer of DiscardsCapturedKey keeps the key message from the window.
    virtual void OnCapturedKey(const ui::KeyEvent& /*event*/) {}
    virtual bool DiscardsCapturedKey(const ui::KeyEvent& /*event*/) const { return false; }

    DebugLog* Log() const { return context_.log; }
    const std::wstring& AppTitle() const { return context_.appTitle; }

  private:
    std::filesystem::path FileOf(std::string_view imageName) const;
    // The page background when it is that file, otherwise the cache's image.
    const DecodedImage* FindImage(const std::filesystem::path& file);
    // Draws on the canvas and adds the draw to the recipe.
    bool DrawImageOnCanvas(const std::filesystem::path& file, const DecodedImage& image, ui::Point at);
    void DrawTextOnCanvas(RecordedDraw draw, HFONT font);
    HFONT FontOf(ui::FontRole role) const;
    std::optional<ui::FontSpec> FontSpecOf(ui::FontRole role) const;
    // Drops the pixels (Hide) and makes them again from the recipe (ShowInForeground).
    void ReleasePixels();
    void RestorePixels();
    void ReportOverflow(HDC dc, std::string_view text, std::wstring_view wide, ui::Rect rect, UINT flags,
                        HFONT font);
    HWND Control(int id) const;
    void SizeClientArea(int width, int height);

    HostContext context_;
    bool isDialog_;
    HWND window_ = nullptr;
    std::string skinFolder_;
    std::optional<Canvas> canvas_;
    // The image the canvas was last filled with (a page background), kept
    // while the canvas is, so that drawing the page again decodes nothing.
    std::optional<DecodedImage> background_;
    std::filesystem::path backgroundFile_;
    CanvasRecipe recipe_;
    bool pixelsReleased_ = false;                  // hidden: the canvas is made again from recipe_ on show
    bool keepNoPixelsWhileHidden_ = false;         // see KeepNoPixelsWhileHidden
    std::vector<std::filesystem::path> prepared_;  // images decoded ahead of their draw (hover images)
    UniqueFont normalFont_;
    UniqueFont titleFont_;
    ui::FontSpec normalSpec_;
    ui::FontSpec titleSpec_;
    std::map<int, HWND> controls_;
    // The one brush handed out for control colours, and its colour; replaced
    // (the old one deleted) when another colour is asked for.
    UniqueBrush brush_;
    COLORREF brushColor_ = 0;
    std::unique_ptr<KeyboardHook> keyCapture_;
};

}  // namespace kv12::win32
