// What every skinned sub-dialog shares: its background picture loaded from
// the skin folder (on failure the dialog's own message, and the dialog ends
// with Cancel so it can always be closed), the dialog font of the language,
// the frame of OK, Cancel and the close mark at fixed places with their hover
// images, the default colours of its controls, its popup lists (closed by a
// press away from them, scrolled by the wheel) and its rule for Enter and Esc.
// A dialog adds its own texts, controls and presses on top.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dialog_texts.h"
#include "ui/hover_set.h"
#include "ui/popup_list.h"
#include "ui/skin_state.h"
#include "ui/window_host.h"

namespace kv12::ui {

namespace dialog_frame {
inline constexpr Rect CLOSE_BUTTON{352, 6, 370, 24};
inline constexpr Rect OK_BUTTON{166, 253, 271, 274};
inline constexpr Rect CANCEL_BUTTON{270, 253, 375, 274};
// The ground colour the dialogs' controls are painted on, and their text colour.
inline constexpr Rgb GROUND{40, 40, 40};
inline constexpr Rgb WHITE{255, 255, 255};
}  // namespace dialog_frame

// What tells one dialog's frame from another's.
struct DialogFrameSpec {
    std::string_view background;      // the picture, e.g. "/single-key.png"
    std::string_view failureCaption;  // the caption of the "error" message when it cannot be loaded
    // Enter acts as OK and Esc as Cancel; when false both do nothing (the key
    // dialogs, where Enter and Esc are keys to capture).
    bool enterAndEscEnd = true;
};

class SkinnedDialogBase : public SkinnedDialog {
  public:
    bool OnInitDialog(DialogHost& host) final;
    void OnEraseBackground() final;
    void OnLButtonDown(Point point) final;
    void OnMouseMove(Point point) final;
    void OnMouseHover(Point point) final;
    void OnMouseWheel(int delta) final;
    void OnCommand(int id, int notifyCode) final;
    void OnEnterKey() final;
    void OnEscapeKey() final;
    /// Statics and lists: white on a transparent ground over the dialog's
    /// brush; edits: white on the dialog's ground; both in the dialog font.
    ControlColors ControlColorsFor(int id, ControlKind kind) const override;

    /// The frame's hover state: 0 close, 1 OK, 2 Cancel.
    bool HoverFlag(int frameButton) const { return hover_.Flag(frameButton); }

  protected:
    SkinnedDialogBase(DialogFrameSpec spec, const SkinState& skin, std::string_view languageCode,
                      WindowsVersion version);

    // --- what a dialog adds ---------------------------------------------------
    /// The OK and Cancel captions in the dialog's language.
    virtual DialogFrameTexts FrameTexts() const = 0;
    /// After the picture and the font: the dialog's controls and key capture.
    virtual void OnInit() {}
    /// Drawn after the frame buttons on every background paint (the dialog's
    /// texts and option boxes), before the one Present.
    virtual void Paint() {}
    /// A press after the frame had its turn (and the lists were closed away
    /// from it): the dialog's boxes and options.
    virtual void OnPress(Point /*point*/) {}
    /// A choice in one of the registered lists (the list is still open).
    virtual void OnListChoice(PopupList& /*list*/, int /*position*/) {}
    /// A notification of another control (edit changes and focus losses).
    virtual void OnControlCommand(int /*id*/, int /*notifyCode*/) {}
    /// Runs before the dialog ends with OK (by the button or Enter), so that
    /// what OK returns is what the fields show.
    virtual void BeforeOk() {}
    /// A registered list was closed by a press away from it.
    virtual void OnListClosedAway(PopupList& /*list*/) {}

    // --- for the dialog -----------------------------------------------------------
    /// Registers a list of the dialog (it must outlive the dialog's run).
    void AddList(PopupList& list);
    DialogHost& Host() { return *host_; }
    const DialogHost& Host() const { return *host_; }
    bool Running() const { return host_ != nullptr; }
    const std::string& LanguageCode() const { return languageCode_; }
    Language DialogLanguage() const;
    const SkinState& Skin() const { return skin_; }
    /// Draws a text in the interface text colour or white.
    void DrawCaption(std::string_view text, Rect rect, TextFormat format = TextFormat::Centered);
    void DrawWhite(std::string_view text, Rect rect, TextFormat format = TextFormat::Centered);
    /// Ends the dialog with OK (BeforeOk first) or Cancel.
    void EndWithOk();
    void EndWithCancel();

  private:
    void DrawFrameButton(int index, bool over);

    DialogFrameSpec spec_;
    SkinState skin_;  // as it was when the dialog opened
    std::string languageCode_;
    WindowsVersion version_;
    DialogHost* host_ = nullptr;
    HoverSet hover_;
    std::vector<PopupList*> lists_;
};

}  // namespace kv12::ui
