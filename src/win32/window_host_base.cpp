#include "win32/window_host_base.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "win32/windows_api.h"

#include "core/key_names.h"
#include "core/utf8_path.h"
#include "win32/guarded_call.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace kv12::win32 {

namespace {

constexpr const wchar_t* LOAD_IMAGE_FAILED = L"LoadPng---Load image failed.";
constexpr DWORD HOVER_TIME_MS = 10;

COLORREF ToColorRef(ui::Rgb color) {
    return RGB(color.r, color.g, color.b);
}

RECT ToRect(ui::Rect r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

ui::KeyEvent PortableKeyEvent(const KeyEvent& event) {
    return ui::KeyEvent{event.virtualKey, static_cast<std::uint8_t>(event.scanCode), event.extended,
                        event.wasDown, event.released};
}

// One captured key event as the log shows it, with the English name the key
// dialogs give it: "down vk=0x11 scan=0x1D ext=1 name=Right Ctrl".
std::string CapturedKeyLine(const KeyEvent& event) {
    char codes[64];
    std::snprintf(codes, sizeof codes,
                  "%s vk=0x%02X scan=0x%02X ext=%d name=", event.released ? "up" : "down",
                  static_cast<unsigned>(event.virtualKey), static_cast<unsigned>(event.scanCode & 0xFF),
                  event.extended ? 1 : 0);
    return codes + KeyNameFromScanCode(static_cast<std::uint8_t>(event.scanCode), event.extended);
}

const wchar_t* WindowClassOf(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::Edit:
            return L"EDIT";
        case ui::ControlKind::ListBox:
            return L"LISTBOX";
        case ui::ControlKind::Button:
            return L"BUTTON";
        case ui::ControlKind::Static:
        case ui::ControlKind::Other:
            break;
    }
    return L"STATIC";
}

// A popup list whose selection follows the pointer: the item under the
// pointer becomes the selection, without the notification a click sends.
// The parent then hears which item the pointer is on (WM_LISTPOINTERMOVE).
LRESULT CALLBACK FollowPointerProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR) {
    if (message == WM_MOUSEMOVE) {
        Guarded("list subclass", 0, [&] {
            const LRESULT hit = ::SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
            if (HIWORD(hit) != 0) return 0;  // below the last item
            const WPARAM item = LOWORD(hit);
            if (::SendMessageW(list, LB_GETCURSEL, 0, 0) != static_cast<LRESULT>(item)) {
                ::SendMessageW(list, LB_SETCURSEL, item, 0);
            }
            ::SendMessageW(::GetParent(list), WM_LISTPOINTERMOVE, static_cast<WPARAM>(::GetDlgCtrlID(list)),
                           static_cast<LPARAM>(item));
            return 0;
        });
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(list, &FollowPointerProc, id);
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
}

// Centres the window over its owner, or on the work area of its monitor when
// it has none: the windows only learn their size from their background image.
void CentreWindow(HWND window) {
    RECT own{};
    ::GetWindowRect(window, &own);
    RECT area{};
    if (HWND owner = ::GetWindow(window, GW_OWNER); owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

UINT DrawTextFlags(ui::TextFormat format) {
    switch (format) {
        case ui::TextFormat::Centered:
            return DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        case ui::TextFormat::Right:
            return DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
        case ui::TextFormat::WrappedLeft:
            return DT_WORDBREAK;
        case ui::TextFormat::Left:
            break;
    }
    return DT_VCENTER | DT_SINGLELINE;
}

namespace {

// The box a text can ink: its measured extent placed where DrawText puts it,
// widened by a few pixels for glyphs that reach past their advance, within
// the rectangle DrawText clips to. Empty when nothing can show.
RECT InkedBox(HDC dc, std::wstring_view text, const RECT& box, UINT format, HFONT font) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return RECT{};
    RECT measured = box;
    {
        const ScopedSelectObject selectFont(dc, font);
        ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    }
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    int left = box.left;
    if (format & DT_CENTER) {
        left = box.left + ((box.right - box.left) - width) / 2;
    } else if (format & DT_RIGHT) {
        left = box.right - width;
    }
    int top = box.top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top = box.top + ((box.bottom - box.top) - height) / 2;
    constexpr int GLYPH_OVERHANG = 3;
    const RECT inked{left - GLYPH_OVERHANG, top - GLYPH_OVERHANG, left + width + GLYPH_OVERHANG,
                     top + height + GLYPH_OVERHANG};
    RECT clipped{};
    if (!::IntersectRect(&clipped, &inked, &box)) return RECT{};
    return clipped;
}

UniqueFont MakeFont(const ui::FontSpec& desc) {
    const std::wstring face = WideFromUtf8(desc.face);
    return UniqueFont(::CreateFontW(desc.height, 0, 0, 0, desc.weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, face.c_str()));
}

// DT_VCENTER centres a single line only. A word-wrapped text is measured
// first, in the font it is drawn with (DT_CALCRECT keeps the width and gives
// the height of all its lines), and its rectangle moved down by half the room
// left over; a text taller than its rectangle starts at the top.
RECT CentredWrappedRect(HDC dc, std::wstring_view text, const RECT& rect, UINT format, HFONT font) {
    RECT placed = rect;
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return placed;
    RECT measured = rect;
    {
        const ScopedSelectObject selectFont(dc, font);
        ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    }
    const int room = (rect.bottom - rect.top) - (measured.bottom - measured.top);
    if (room > 0) placed.top += room / 2;
    return placed;
}

}  // namespace

ui::ControlKind ControlKindOf(UINT message) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            return ui::ControlKind::Static;
        case WM_CTLCOLOREDIT:
            return ui::ControlKind::Edit;
        case WM_CTLCOLORLISTBOX:
            return ui::ControlKind::ListBox;
        case WM_CTLCOLORBTN:
            return ui::ControlKind::Button;
        default:
            return ui::ControlKind::Other;
    }
}

template <typename Base>
std::filesystem::path WindowHostBase<Base>::FileOf(std::string_view imageName) const {
    return PathFromUtf8(skinFolder_ + std::string(imageName));
}

template <typename Base>
const DecodedImage* WindowHostBase<Base>::FindImage(const std::filesystem::path& file) {
    if (background_ && file == backgroundFile_) return &*background_;
    const DecodedImage* image = context_.images->Find(file);
    if (!image && Log()) Log()->Write("image", "cannot decode " + PathToUtf8(file));
    return image;
}

template <typename Base>
void WindowHostBase<Base>::SizeClientArea(int width, int height) {
    RECT frame{0, 0, width, height};
    if (width > 0 && height > 0) {
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    }
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreWindow(window_);
}

// The background is decoded straight into the window's own keeping: the
// canvas is a copy of it, and the image itself stays beside the canvas (never
// in the cache) for the page's next full draw.
template <typename Base>
bool WindowHostBase<Base>::LoadCanvas(std::string_view imageName) {
    const std::filesystem::path file = FileOf(imageName);
    canvas_.reset();
    background_.reset();
    backgroundFile_.clear();
    recipe_.Clear();
    if (keepNoPixelsWhileHidden_ && !::IsWindowVisible(window_)) {
        // Only the size is needed until the window shows; the pixels are
        // made then, from the recipe, like after a hide. The file is still
        // decoded once, so that a broken background fails here, where the
        // window can turn to another skin, and not at the first show.
        const std::optional<ImageSize> size = CheckPngSize(file);
        if (!size) {
            if (Log()) Log()->Write("image", "cannot decode " + PathToUtf8(file));
            pixelsReleased_ = false;
            SizeClientArea(0, 0);
            return false;
        }
        recipe_.StartFrom(file);
        pixelsReleased_ = true;
        SizeClientArea(size->width, size->height);
        return true;
    }
    auto image = context_.images->Decode(file);
    if (!image && Log()) Log()->Write("image", "cannot decode " + PathToUtf8(file));
    if (image) canvas_ = Canvas::FromImage(*image);
    if (!canvas_) {
        pixelsReleased_ = false;
        SizeClientArea(0, 0);
        return false;
    }
    background_ = std::move(image);
    backgroundFile_ = file;
    recipe_.StartFrom(file);
    SizeClientArea(canvas_->Width(), canvas_->Height());
    if (pixelsReleased_) {
        // Hidden: the size was all that was needed now.
        canvas_.reset();
        background_.reset();
        backgroundFile_.clear();
    }
    return true;
}

template <typename Base>
bool WindowHostBase<Base>::DrawImage(std::string_view imageName, ui::Point at) {
    const std::filesystem::path file = FileOf(imageName);
    if (pixelsReleased_) {
        // Drawn when the window shows; a file that cannot be decoded then draws nothing.
        RecordedDraw draw;
        draw.file = file;
        draw.at = at;
        recipe_.Add(std::move(draw), nullptr, *context_.images);
        return true;
    }
    if (!canvas_) return false;
    const DecodedImage* image = FindImage(file);
    if (!image) {
        if (isDialog_) ::MessageBoxW(window_, LOAD_IMAGE_FAILED, context_.appTitle.c_str(), MB_OK);
        return false;
    }
    return DrawImageOnCanvas(file, *image, at);
}

template <typename Base>
bool WindowHostBase<Base>::DrawImageOnCanvas(const std::filesystem::path& file, const DecodedImage& image,
                                             ui::Point at) {
    const bool drawn = canvas_->Draw(image, at.x, at.y);
    const bool fillsCanvas =
        at.x == 0 && at.y == 0 && image.Width() == canvas_->Width() && image.Height() == canvas_->Height();
    if (fillsCanvas && image.IsOpaque()) {
        // A page background: the canvas is now that image, whatever was drawn before.
        recipe_.StartFrom(file);
    } else {
        RecordedDraw draw;
        draw.file = file;
        draw.at = at;
        const RECT placed{at.x, at.y, at.x + image.Width(), at.y + image.Height()};
        const RECT whole{0, 0, canvas_->Width(), canvas_->Height()};
        RECT touched{};
        ::IntersectRect(&touched, &placed, &whole);
        draw.touched = touched;
        recipe_.Add(std::move(draw), &image, *context_.images);
    }
    // One page background is kept, beside the canvas rather than in the cache.
    if (fillsCanvas && !(background_ && &image == &*background_)) {
        background_ = context_.images->Take(file);
        backgroundFile_ = background_ ? file : std::filesystem::path();
    }
    return drawn;
}

template <typename Base>
void WindowHostBase<Base>::PrepareImage(std::string_view imageName) {
    const std::filesystem::path file = FileOf(imageName);
    if (std::find(prepared_.begin(), prepared_.end(), file) == prepared_.end()) prepared_.push_back(file);
    // Hidden: decoded when the window shows.
    if (!pixelsReleased_) FindImage(file);
}

template <typename Base>
HFONT WindowHostBase<Base>::FontOf(ui::FontRole role) const {
    return role == ui::FontRole::Title && titleFont_ ? titleFont_.Get() : normalFont_.Get();
}

template <typename Base>
std::optional<ui::FontSpec> WindowHostBase<Base>::FontSpecOf(ui::FontRole role) const {
    if (role == ui::FontRole::Title && titleFont_) return titleSpec_;
    if (normalFont_) return normalSpec_;
    return std::nullopt;
}

template <typename Base>
void WindowHostBase<Base>::DrawText(std::string_view text, ui::Rect rect, ui::TextFormat format,
                                    ui::FontRole font, ui::Rgb color) {
    if ((!canvas_ && !pixelsReleased_) || text.empty()) return;
    const HFONT chosen = FontOf(font);
    if (Log()) {
        const std::wstring wide = WideFromUtf8(text);
        if (canvas_) {
            ReportOverflow(canvas_->Dc(), text, wide, rect, DrawTextFlags(format), chosen);
        } else {
            const UniqueDc measuring(::CreateCompatibleDC(nullptr));
            if (measuring) ReportOverflow(measuring.Get(), text, wide, rect, DrawTextFlags(format), chosen);
        }
    }
    RecordedDraw draw;
    draw.kind = RecordedDraw::Kind::Text;
    draw.text = std::string(text);
    draw.rect = rect;
    draw.format = format;
    draw.font = FontSpecOf(font);
    draw.color = color;
    if (pixelsReleased_) {
        recipe_.Add(std::move(draw), nullptr, *context_.images);
        return;
    }
    DrawTextOnCanvas(std::move(draw), chosen);
}

template <typename Base>
void WindowHostBase<Base>::DrawTextOnCanvas(RecordedDraw draw, HFONT font) {
    const std::wstring wide = WideFromUtf8(draw.text);
    const UINT flags = DrawTextFlags(draw.format);
    RECT box = ToRect(draw.rect);
    if (draw.format == ui::TextFormat::WrappedLeft)
        box = CentredWrappedRect(canvas_->Dc(), wide, box, flags, font);
    canvas_->DrawText(wide, box, flags, font, ToColorRef(draw.color));
    draw.touched = InkedBox(canvas_->Dc(), wide, box, flags, font);
    recipe_.Add(std::move(draw), nullptr, *context_.images);
}

// A text wider (or, wrapped, taller) than its rectangle is cut where the
// rectangle ends; the log says so, so that a layout or a translation that
// does not fit is found without looking at every window in every language.
template <typename Base>
void WindowHostBase<Base>::ReportOverflow(HDC dc, std::string_view text, std::wstring_view wide,
                                          ui::Rect rect, UINT flags, HFONT font) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return;
    RECT measured = ToRect(rect);
    {
        const ScopedSelectObject selectFont(dc, font);
        ::DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &measured, flags | DT_CALCRECT);
    }
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    if (width <= rect.Width() && height <= rect.Height()) return;
    Log()->Write("text", "does not fit: " + std::to_string(width) + "x" + std::to_string(height) + " in " +
                             std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()) + ": " +
                             std::string(text));
}

template <typename Base>
void WindowHostBase<Base>::Present() {
    // The page is drawn: the decoded background it started from is held only
    // for the draws of one page (its first draw repeats the image the canvas
    // was loaded from); hovering never draws it, so it is not kept beside the
    // canvas while the window is looked at.
    background_.reset();
    backgroundFile_.clear();
    // A hidden window is painted from the canvas when it shows.
    if (!canvas_ || !window_ || !::IsWindowVisible(window_)) return;
    const ScopedGetDC dc(window_);
    if (!dc) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    canvas_->CopyTo(dc.Get(), client);
}

template <typename Base>
void WindowHostBase<Base>::SetSkinFolder(const std::string& folder) {
    if (folder != skinFolder_) prepared_.clear();
    skinFolder_ = folder;
    context_.images->UseFolder(folder);
}

template <typename Base>
void WindowHostBase<Base>::SetFonts(const ui::FontSpec& normal, const ui::FontSpec& title) {
    normalFont_ = MakeFont(normal);
    titleFont_ = MakeFont(title);
    normalSpec_ = normal;
    titleSpec_ = title;
    for (const auto& [id, control] : controls_) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.Get()), TRUE);
    }
}

template <typename Base>
void WindowHostBase<Base>::Hide() {
    ::ShowWindow(window_, SW_HIDE);
    ReleasePixels();
}

template <typename Base>
void WindowHostBase<Base>::ShowInForeground() {
    const bool restoring = pixelsReleased_;
    RestorePixels();
    ::SetForegroundWindow(window_);
    ::ShowWindow(window_, SW_SHOW);
    if (!restoring) return;
    // The first paint comes first; the hover images, which it does not need,
    // are decoded after it and still before the pointer's first message.
    ::UpdateWindow(window_);
    for (const std::filesystem::path& file : prepared_) FindImage(file);
}

template <typename Base>
void WindowHostBase<Base>::ReleasePixels() {
    if (pixelsReleased_) return;
    std::size_t dropped = context_.images->Clear();
    if (background_) ++dropped;
    background_.reset();
    backgroundFile_.clear();
    const bool hadCanvas = canvas_.has_value();
    // Past its limit the recipe cannot make the canvas again: the canvas stays.
    const bool keepCanvas = hadCanvas && !recipe_.Complete();
    if (!keepCanvas) {
        canvas_.reset();
        pixelsReleased_ = !recipe_.Empty();
    }
    if (!Log() || (!hadCanvas && dropped == 0)) return;
    Log()->Write("memory", keepCanvas ? "kept canvas (too many draws to make it again) and released " +
                                            std::to_string(dropped) + " images"
                                      : "released canvas and " + std::to_string(dropped) + " images");
}

template <typename Base>
void WindowHostBase<Base>::RestorePixels() {
    if (!pixelsReleased_) return;
    pixelsReleased_ = false;
    std::vector<RecordedDraw> draws = recipe_.TakeDraws();
    const std::filesystem::path base = recipe_.Base();
    auto image = context_.images->Decode(base);
    if (!image && Log()) Log()->Write("image", "cannot decode " + PathToUtf8(base));
    if (image) canvas_ = Canvas::FromImage(*image);
    if (!canvas_) {
        recipe_.Clear();
        return;
    }
    background_ = std::move(image);
    backgroundFile_ = base;
    // The draws again, in order; each goes back into the recipe as it is made.
    std::vector<std::pair<ui::FontSpec, UniqueFont>> earlierFonts;
    for (RecordedDraw& draw : draws) {
        if (draw.kind == RecordedDraw::Kind::Image) {
            if (const DecodedImage* drawn = FindImage(draw.file))
                DrawImageOnCanvas(draw.file, *drawn, draw.at);
            continue;
        }
        HFONT font = nullptr;
        if (draw.font) {
            if (normalFont_ && *draw.font == normalSpec_) {
                font = normalFont_.Get();
            } else if (titleFont_ && *draw.font == titleSpec_) {
                font = titleFont_.Get();
            } else {
                // Drawn before the fonts last changed: that font again, for this once.
                auto found = std::find_if(earlierFonts.begin(), earlierFonts.end(),
                                          [&](const auto& entry) { return entry.first == *draw.font; });
                if (found == earlierFonts.end()) {
                    earlierFonts.emplace_back(*draw.font, MakeFont(*draw.font));
                    found = std::prev(earlierFonts.end());
                }
                font = found->second.Get();
            }
        }
        DrawTextOnCanvas(std::move(draw), font);
    }
    // The canvas is whole again: its background's own copy goes (see Present).
    background_.reset();
    backgroundFile_.clear();
}

template <typename Base>
void WindowHostBase<Base>::TrackHover() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = isDialog_ ? TME_HOVER : TME_HOVER | TME_LEAVE;
    track.hwndTrack = window_;
    track.dwHoverTime = HOVER_TIME_MS;
    ::TrackMouseEvent(&track);
}

template <typename Base>
void WindowHostBase<Base>::StartDrag(ui::Point from) {
    POINT screen{from.x, from.y};
    ::ClientToScreen(window_, &screen);
    // The system's move loop then follows the mouse as if the caption had been pressed.
    ::PostMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION,
                   MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(screen.x)),
                              static_cast<WORD>(static_cast<SHORT>(screen.y))));
}

template <typename Base>
HWND WindowHostBase<Base>::Control(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && ::IsWindow(found->second) ? found->second : nullptr;
}

template <typename Base>
void WindowHostBase<Base>::CreateControl(const ui::ControlSpec& desc) {
    DestroyControl(desc.id);
    const std::wstring text = WideFromUtf8(desc.text);
    HWND control = ::CreateWindowExW(0, WindowClassOf(desc.kind), text.c_str(), desc.style, desc.rect.left,
                                     desc.rect.top, desc.rect.Width(), desc.rect.Height(), window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(desc.id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    if (!control) {
        if (Log()) Log()->Write("control", "cannot create control " + std::to_string(desc.id));
        return;
    }
    if (normalFont_) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.Get()), FALSE);
    if (desc.kind == ui::ControlKind::ListBox && desc.selectionFollowsPointer) {
        ::SetWindowSubclass(control, &FollowPointerProc, 1, 0);
    }
    controls_[desc.id] = control;
}

template <typename Base>
void WindowHostBase<Base>::DestroyControl(int id) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) return;
    if (::IsWindow(found->second)) ::DestroyWindow(found->second);
    controls_.erase(found);
}

template <typename Base>
bool WindowHostBase<Base>::ControlExists(int id) const {
    return Control(id) != nullptr;
}

template <typename Base>
void WindowHostBase<Base>::SetControlText(int id, std::string_view text) {
    if (HWND control = Control(id)) ::SetWindowTextW(control, WideFromUtf8(text).c_str());
}

template <typename Base>
void WindowHostBase<Base>::InvalidateControl(int id) {
    if (HWND control = Control(id)) ::InvalidateRect(control, nullptr, TRUE);
}

template <typename Base>
void WindowHostBase<Base>::AddListItem(int id, std::string_view text) {
    if (HWND control = Control(id)) {
        ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
    }
}

template <typename Base>
void WindowHostBase<Base>::InsertListItem(int id, int index, std::string_view text) {
    HWND control = Control(id);
    if (!control) return;
    // LB_INSERTSTRING takes -1 (not a count) to mean the end.
    const int count = ListItemCount(id);
    const WPARAM at = index < 0 || index >= count ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index);
    ::SendMessageW(control, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

template <typename Base>
void WindowHostBase<Base>::DeleteListItem(int id, int index) {
    if (index < 0 || index >= ListItemCount(id)) return;
    ::SendMessageW(Control(id), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

template <typename Base>
void WindowHostBase<Base>::ClearList(int id) {
    if (HWND control = Control(id)) ::SendMessageW(control, LB_RESETCONTENT, 0, 0);
}

template <typename Base>
int WindowHostBase<Base>::ListItemCount(int id) const {
    HWND control = Control(id);
    if (!control) return 0;
    const LRESULT count = ::SendMessageW(control, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

template <typename Base>
std::string WindowHostBase<Base>::ListItemText(int id, int index) const {
    HWND control = Control(id);
    if (!control || index < 0 || index >= ListItemCount(id)) return {};
    const LRESULT length = ::SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR || copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return Utf8FromWide(text);
}

template <typename Base>
int WindowHostBase<Base>::ListSelection(int id) const {
    HWND control = Control(id);
    if (!control) return -1;
    const LRESULT selected = ::SendMessageW(control, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

template <typename Base>
void WindowHostBase<Base>::ScrollList(int id, int lines) {
    HWND control = Control(id);
    if (!control) return;
    const WPARAM step = lines > 0 ? SB_LINEDOWN : SB_LINEUP;
    for (int i = 0; i < std::abs(lines); ++i) ::SendMessageW(control, WM_VSCROLL, step, 0);
}

template <typename Base>
void WindowHostBase<Base>::SetListSelection(int id, int index) {
    if (HWND control = Control(id)) ::SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

template <typename Base>
std::optional<ui::Rect> WindowHostBase<Base>::ListItemRect(int id, int index) const {
    HWND control = Control(id);
    if (!control || index < 0) return std::nullopt;
    RECT item{};
    if (::SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        return std::nullopt;
    }
    return ui::Rect{item.left, item.top, item.right, item.bottom};
}

template <typename Base>
std::string WindowHostBase<Base>::ControlText(int id) const {
    HWND control = Control(id);
    if (!control) return {};
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Utf8FromWide(text);
}

template <typename Base>
void WindowHostBase<Base>::EnableControl(int id, bool enabled) {
    if (HWND control = Control(id)) ::EnableWindow(control, enabled ? TRUE : FALSE);
}

template <typename Base>
int WindowHostBase<Base>::FocusedControl() const {
    HWND focus = ::GetFocus();
    if (!focus || ::GetParent(focus) != window_) return 0;
    const int id = ::GetDlgCtrlID(focus);
    return Control(id) == focus ? id : 0;
}

template <typename Base>
std::uint32_t WindowHostBase<Base>::StartKeyCapture() {
    keyCapture_.reset();
    auto hook = std::make_unique<KeyboardHook>(
        [this](const KeyEvent& event) {
            if (Log()) Log()->Write("keys", CapturedKeyLine(event));
            OnCapturedKey(PortableKeyEvent(event));
        },
        [this](const KeyEvent& event) { return DiscardsCapturedKey(PortableKeyEvent(event)); });
    if (!hook->Installed()) {
        const DWORD error = hook->InstallError();
        if (Log()) Log()->Write("keys", "cannot capture keys, error " + std::to_string(error));
        return error != 0 ? error : ERROR_GEN_FAILURE;
    }
    keyCapture_ = std::move(hook);
    if (Log()) Log()->Write("keys", "capture started");
    return 0;
}

template <typename Base>
void WindowHostBase<Base>::StopKeyCapture() {
    if (!keyCapture_) return;
    keyCapture_.reset();
    if (Log()) Log()->Write("keys", "capture stopped");
}

template <typename Base>
void WindowHostBase<Base>::ShowMessage(std::string_view text, std::string_view caption) {
    if (Log()) Log()->Write("message", std::string(caption) + ": " + std::string(text));
    const std::wstring title = caption.empty() ? context_.appTitle : WideFromUtf8(caption);
    ::MessageBoxW(window_, WideFromUtf8(text).c_str(), title.c_str(), MB_OK);
}

template <typename Base>
std::optional<ui::Rgb> WindowHostBase<Base>::ChooseColor(ui::Rgb initial) {
    // The chooser's sixteen custom colours last as long as the program.
    static COLORREF customColors[16]{};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = window_;
    choose.rgbResult = ToColorRef(initial);
    choose.lpCustColors = customColors;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    // The common dialogs library is loaded only while the chooser is up: it
    // brings the printing libraries along, which a tray program should not
    // carry for the rest of its life.
    const UniqueModule library(::LoadLibraryW(L"comdlg32.dll"));
    using ChooseColorFunction = BOOL(WINAPI*)(LPCHOOSECOLORW);
    const auto chooseColor = library ? reinterpret_cast<ChooseColorFunction>(reinterpret_cast<void (*)()>(
                                           ::GetProcAddress(library.Get(), "ChooseColorW")))
                                     : nullptr;
    if (!chooseColor) {
        if (Log())
            Log()->Write("color",
                         "the colour chooser is not available, error " + std::to_string(::GetLastError()));
        return std::nullopt;
    }
    if (!chooseColor(&choose)) return std::nullopt;
    return ui::Rgb{GetRValue(choose.rgbResult), GetGValue(choose.rgbResult), GetBValue(choose.rgbResult)};
}

template <typename Base>
void WindowHostBase<Base>::PaintBackground(HDC dc) {
    // Shown some other way than ShowInForeground: the canvas is made now.
    if (pixelsReleased_ && ::IsWindowVisible(window_)) RestorePixels();
    if (canvas_) canvas_->CopyTo(dc, RECT{});
}

template <typename Base>
std::optional<INT_PTR> WindowHostBase<Base>::ApplyControlColors(UINT message, WPARAM wParam, LPARAM lParam,
                                                                const ui::ControlColors& colors) {
    if (colors.defaultHandling) return std::nullopt;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    HBRUSH brush = nullptr;
    if (colors.brush) {
        const COLORREF wanted = ToColorRef(*colors.brush);
        if (!brush_ || brushColor_ != wanted) {
            brush_.Reset();  // the old brush goes before the next is made
            brush_.Reset(::CreateSolidBrush(wanted));
            brushColor_ = wanted;
        }
        brush = brush_.Get();
    } else {
        // The default handling's brush (and its colours, which ours then override).
        brush = reinterpret_cast<HBRUSH>(::DefWindowProcW(window_, message, wParam, lParam));
    }
    if (colors.text) ::SetTextColor(dc, ToColorRef(*colors.text));
    if (colors.transparent) ::SetBkMode(dc, TRANSPARENT);
    if (colors.background) {
        ::SetBkColor(dc, ToColorRef(*colors.background));
    } else if (colors.transparent && colors.brush) {
        // List boxes paint their items opaquely (ExtTextOut with ETO_OPAQUE)
        // whatever the mode; without this their items would sit on the
        // default white instead of the control's colour.
        ::SetBkColor(dc, ToColorRef(*colors.brush));
    }
    if (colors.useNormalFont && normalFont_) ::SelectObject(dc, normalFont_.Get());
    return reinterpret_cast<INT_PTR>(brush);
}

template <typename Base>
void WindowHostBase<Base>::ReleaseWindowResources() {
    // The controls go with their parent window; only our record of them is left.
    controls_.clear();
    keyCapture_.reset();
}

template class WindowHostBase<ui::MainWindowHost>;
template class WindowHostBase<ui::DialogHost>;

}  // namespace kv12::win32
