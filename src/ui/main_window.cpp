#include "ui/main_window.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "core/ini_file.h"
#include "core/language.h"
#include "core/utf8_path.h"
#include "device/apply_settings.h"
#include "device/mouse_notice.h"
#include "ui/notice_balloon.h"
#include "ui/skin_images.h"
#include "ui/skins_dialog.h"
#include "ui/window_fonts.h"

namespace kv12::ui {

// What the connection monitor asks of the main window.
class CHidMouseDlg::Connection : public ConnectionHost {
  public:
    explicit Connection(CHidMouseDlg& window) : window_(window) {}
    void ShowMessage(const UserMessage& message) override {
        window_.host_.ShowMessage(message.text, message.caption);
    }
    void HideMainWindow() override { window_.host_.Hide(); }
    bool BasicPageBuilt() const override { return window_.basicPageBuilt_; }
    void ResumeReader() override { window_.host_.ResumeReader(); }

  private:
    CHidMouseDlg& window_;
};

namespace {

// Control ids of the static texts painted on black (the pages' labels on dark ground).
constexpr std::array<int, 4> BLACK_LABEL_IDS = {80, 81, 82, 119};
// The macro page's two lists.
constexpr std::array<int, 2> MACRO_LIST_IDS = {151, 152};

constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb LABEL_GROUND{100, 150, 100};
constexpr Rgb MACRO_LIST_GROUND{4, 5, 6};

template <std::size_t N>
bool IsOneOf(int id, const std::array<int, N>& ids) {
    for (int candidate : ids) {
        if (candidate == id) return true;
    }
    return false;
}

}  // namespace

CHidMouseDlg::CHidMouseDlg(MainWindowHost& host, DeviceLink& link, ProgramFiles files, WindowsVersion version)
    : host_(host),
      link_(link),
      files_(std::move(files)),
      version_(version),
      connection_(std::make_unique<Connection>(*this)),
      texts_(ApplyLanguage("")),
      context_{host_, store_, prefs_.itemTexts, languageCode_, texts_, skin_, files_, version_} {
    CreatePageAreas();
}

CHidMouseDlg::~CHidMouseDlg() = default;

void CHidMouseDlg::ShowMessages(const std::vector<UserMessage>& messages) {
    for (const auto& message : messages) host_.ShowMessage(message.text, message.caption);
}

void CHidMouseDlg::FindMouseAtStartup() {
    // The search's balloons come before the window's initialisation: they
    // speak the interface language already.
    languageCode_ = ReadLanguage(IniDocument::Load(files_.preferences));
    texts_ = ApplyLanguage(languageCode_);
    const FindDeviceResult found = link_.FindDevice();
    if (found.message) host_.ShowMessage(found.message->text, found.message->caption);
    if (found.found) {
        link_.Handshake();  // sets deviceReady and sends NOTICE_FOUND or NOTICE_NOT_FOUND itself
        return;
    }
    OnMouseNotice(NOTICE_NOT_FOUND, 0);
    link_.SetDeviceReady(false);
}

void CHidMouseDlg::InitialiseWindow() {
    // Messages wait until the window is whole: a tray click while one of them
    // is up then shows a painted page, not a window without its canvas.
    std::vector<UserMessage> messages;
    const LoadSettingsResult loaded = LoadSettingsFile(files_.config, store_.block, store_.firstRunFlag);
    if (loaded.message) messages.push_back(*loaded.message);
    store_.TakeSavedCopy();

    const IniDocument strIni = IniDocument::Load(files_.preferences);
    languageCode_ = ReadLanguage(strIni);
    texts_ = ApplyLanguage(languageCode_);
    prefs_ = LoadPreferences(strIni, texts_[TXT_SECTION_NAME]);

    skin_.SkinName = prefs_.skinPath;
    skin_.SkinPath = SkinFolderFor(files_.folder, skin_.SkinName);
    host_.SetSkinFolder(skin_.SkinPath);
    LoadCanvasOrFallBack(messages);
    skin_.TextColor = {ParseColorComponent(prefs_.rColor), ParseColorComponent(prefs_.gColor),
                       ParseColorComponent(prefs_.bColor)};

    const WindowFonts fonts = FontsFor(languageCode_, version_);
    host_.SetFonts(fonts.normal, fonts.title);

    if (link_.DeviceReady() && canvasLoaded_) BuildBasicPage();
    initialised_ = true;
    ShowMessages(messages);
}

void CHidMouseDlg::LoadCanvasOrFallBack(std::vector<UserMessage>& messages) {
    const std::string_view background = SkinImageName(SkinImage::BasicBackground);
    canvasLoaded_ = host_.LoadCanvas(background);
    if (canvasLoaded_) return;

    // The stored skin cannot draw the window (a wrong "Path", a deleted
    // folder, no str.ini at all): the first skin folder that can is used for
    // this run. str.ini keeps its choice, so a folder that comes back (a
    // network drive, an unfinished copy) is used again at the next start.
    const SkinProblem problem{skin_.SkinPath + std::string(background), LanguageFromCode(languageCode_)};
    for (const std::string& name : ListSkinFolders(files_.skins)) {
        if (name == skin_.SkinName) continue;
        const std::string folder = SkinFolderFor(files_.folder, name);
        host_.SetSkinFolder(folder);
        if (host_.LoadCanvas(background)) {
            canvasLoaded_ = true;
            skin_.SkinName = name;
            skin_.SkinPath = folder;
            messages.push_back({problem.UsingInstead(name), ""});
            return;
        }
    }
    host_.SetSkinFolder(skin_.SkinPath);
    noSkinMessage_ = problem.NoSkinUnder(PathToUtf8(files_.skins));
    messages.push_back({noSkinMessage_, ""});
}

void CHidMouseDlg::OnTrayIcon(unsigned mouseMessage) {
    if (mouseMessage == TRAY_RIGHT_BUTTON_UP) {
        host_.ShowTrayMenu(texts_[TXT_EXIT]);
        return;
    }
    if (mouseMessage != TRAY_LEFT_BUTTON_UP && mouseMessage != TRAY_LEFT_DOUBLE_CLICK) return;
    // Start-up is still running (its search's message is up): there is no page to show yet.
    if (!initialised_) return;
    if (!canvasLoaded_) {
        // Without a skin there is nothing to show; the message says what to do.
        host_.ShowMessage(noSkinMessage_, "");
        return;
    }
    if (!link_.DeviceReady()) {
        OnMouseNotice(NOTICE_NOT_FOUND, 0);
        return;
    }
    if (rebuildOnShow_ && currentPage_ != PAGE_NONE) {
        rebuildOnShow_ = false;
        // Cancel restored the block; the texts in memory may still name
        // assignments that were cancelled, so they are read back as saved.
        // Also when the advanced page is shown: the basic page shows them
        // again as soon as the user goes back to it.
        const IniDocument strIni = IniDocument::Load(files_.preferences);
        prefs_ = LoadPreferences(strIni, texts_[TXT_SECTION_NAME]);
        RebuildShownPage();
    } else if (!basicPageBuilt_) {
        // Also after a Cancel pressed before any page was built: there is
        // nothing to rebuild, so the basic page is built as on a first show.
        rebuildOnShow_ = false;
        BuildBasicPage();
    }
    host_.ShowInForeground();
}

void CHidMouseDlg::OnMouseNotice(int code, long long value) {
    const auto balloon = BalloonForNotice(code, value, texts_, store_.block, link_.state().sensorType);
    if (balloon) host_.ShowBalloon(balloon->text, balloon->title, balloon->timeoutMs);
}

void CHidMouseDlg::OnCommand(int id, int notifyCode) {
    if (id == ID_TRAY_EXIT) {
        host_.Quit();
        return;
    }
    // Only the shown page has controls that could send a command.
    if (AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) {
            if (area->OnCommand(id, notifyCode)) return;
        }
    }
}

void CHidMouseDlg::OnListPointerMove(int listId, int item) {
    if (AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) area->OnListPointerMove(listId, item);
    }
}

void CHidMouseDlg::OnKeyEvent(const KeyEvent& event) {
    if (AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) area->OnKeyEvent(event);
    }
}

bool CHidMouseDlg::DiscardsKey(const KeyEvent& event) const {
    if (const AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) {
            if (area->DiscardsKey(event)) return true;
        }
    }
    return false;
}

void CHidMouseDlg::OnContextMenu(int controlId) {
    if (AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) {
            if (area->OnContextMenu(controlId)) return;
        }
    }
}

bool CHidMouseDlg::OnDeviceChange(std::uint32_t event, std::uint32_t deviceType, std::string_view name) {
    return HandleDeviceChange(link_, *connection_, event, deviceType, name);
}

bool CHidMouseDlg::OnNcPaint() {
    if (hiddenNcPaints_ <= 0) return false;
    --hiddenNcPaints_;
    host_.Hide();
    return true;
}

void CHidMouseDlg::OnClose() {
    host_.Hide();
}

ControlColors CHidMouseDlg::ControlColorsFor(int id, ControlKind kind) const {
    if (const AreaList* areas = AreasOf(currentPage_)) {
        for (const auto& area : *areas) {
            if (auto colors = area->ControlColorsFor(id, kind)) return *colors;
        }
    }
    const Rgb text = skin_.TextColor;
    switch (kind) {
        case ControlKind::Static:
            if (IsOneOf(id, BLACK_LABEL_IDS)) {
                return {.text = text, .background = BLACK, .useNormalFont = true, .brush = BLACK};
            }
            return {.text = text, .background = LABEL_GROUND, .useNormalFont = true, .brush = LABEL_GROUND};
        case ControlKind::Button:
            return {.transparent = true};
        case ControlKind::Edit:
            return {.text = text, .transparent = true, .brush = BLACK};
        case ControlKind::ListBox:
            if (IsOneOf(id, MACRO_LIST_IDS))
                return {.text = text, .transparent = true, .brush = MACRO_LIST_GROUND};
            return {.text = WHITE, .transparent = true, .useNormalFont = true, .brush = BLACK};
        case ControlKind::Other:
            break;
    }
    return {.defaultHandling = true};
}

void CHidMouseDlg::ApplyAndSave() {
    ApplyFiles files{files_.config, files_.preferences, std::string(texts_[TXT_SECTION_NAME]),
                     prefs_.itemTexts};
    const ApplyResult result = ApplySettings(link_, store_.block, files);
    if (result.failure) {
        // The mouse holds part of the block at best, and nothing was saved:
        // config.bin and the saved copy (what Cancel returns to) keep to the
        // settings the mouse last took whole, and the Windows pointer settings
        // stay as they are. The edits stay on the page for another Apply.
        const UserMessage message = ApplyNotTakenMessage(LanguageFromCode(languageCode_));
        host_.ShowMessage(message.text, message.caption);
        return;
    }
    ShowMessages(result.messages);
    store_.TakeSavedCopy();
    // Then the areas of both pages (the Windows pointer settings follow the mouse's).
    for (const auto& area : basicAreas_) area->OnApplied();
    for (const auto& area : advancedAreas_) area->OnApplied();
}

void CHidMouseDlg::ApplySkin() {
    CSkinsDialog dialog(skin_, files_.skins, languageCode_, version_);
    if (host_.RunModal(dialog) != DialogResult::Ok) return;

    // Another folder without the pages' backgrounds would leave the old
    // picture under the new texts: the pick is refused and nothing is stored.
    for (const SkinImage page : {SkinImage::BasicBackground, SkinImage::AdvancedBackground}) {
        if (dialog.ChosenFolder() == skin_.SkinPath) break;
        const std::string image = dialog.ChosenFolder() + std::string(SkinImageName(page));
        std::error_code error;
        if (!std::filesystem::is_regular_file(PathFromUtf8(image), error)) {
            const SkinProblem problem{image, LanguageFromCode(languageCode_)};
            host_.ShowMessage(problem.Keeping(skin_.SkinName), "");
            return;
        }
    }

    skin_.SkinPath = dialog.ChosenFolder();
    host_.SetSkinFolder(skin_.SkinPath);
    skin_.TextColor = dialog.Color();
    skin_.SkinName = dialog.ChosenName();
    prefs_.rColor = std::to_string(skin_.TextColor.r);
    prefs_.gColor = std::to_string(skin_.TextColor.g);
    prefs_.bColor = std::to_string(skin_.TextColor.b);
    prefs_.skinPath = skin_.SkinName;
    if (const auto error = SaveSkinChoice(files_.preferences, skin_.TextColor.r, skin_.TextColor.g,
                                          skin_.TextColor.b, skin_.SkinName)) {
        host_.ShowMessage(error->message, "");
    }

    RebuildShownPage();
    host_.ShowInForeground();
}

}  // namespace kv12::ui
