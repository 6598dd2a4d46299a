#include "ui/skin_state.h"

#include <system_error>

#include "core/file_io.h"
#include "core/program_files.h"
#include "core/utf8_path.h"

namespace kv12::ui {

namespace {

constexpr Text3 IMAGE_MISSING = {
    "The skin picture \"%1\" is missing.",
    "皮肤图片“%1”不存在。",
    "外觀圖片「%1」不存在。",
};
constexpr Text3 IMAGE_UNREADABLE = {
    "The skin picture \"%1\" cannot be read.",
    "无法读取皮肤图片“%1”。",
    "無法讀取外觀圖片「%1」。",
};
constexpr Text3 USING_INSTEAD = {
    " The window uses the skin \"%1\" instead; choose a skin with the skin button to keep another.",
    "窗口改用皮肤“%1”；可用皮肤按钮选择其他皮肤。",
    "視窗改用外觀「%1」；可用外觀按鈕選擇其他外觀。",
};
constexpr Text3 NO_SKIN = {
    " No skin under \"%1\" can draw the window. Put a skin folder there and start the program again; "
    "the mouse keeps its settings.",
    "“%1”下没有可以绘制窗口的皮肤。请在其中放入皮肤文件夹后重新启动程序；鼠标的设置保持不变。",
    "「%1」下沒有可以繪製視窗的外觀。請在其中放入外觀資料夾後重新啟動程式；滑鼠的設定保持不變。",
};
constexpr Text3 KEEPING = {
    " The window keeps the skin \"%1\".",
    "窗口保留皮肤“%1”。",
    "視窗保留外觀「%1」。",
};

}  // namespace

std::string SkinFolderFor(const std::filesystem::path& programFolder, std::string_view skinName) {
    // Formed as text, as the images are addressed as this folder followed by
    // "/name.png"; both separators work on every platform the program runs on.
    std::string folder = PathToUtf8(programFolder);
    folder += "/";
    folder += SKINS_FOLDER_NAME;
    folder += "/";
    folder += skinName;
    return folder;
}

std::string SkinProblem::What() const {
    std::error_code error;
    const bool present = std::filesystem::exists(PathFromUtf8(image), error);
    return FillMessage((present ? IMAGE_UNREADABLE : IMAGE_MISSING).In(language), {image});
}

std::string SkinProblem::UsingInstead(std::string_view usedSkin) const {
    return What() + FillMessage(USING_INSTEAD.In(language), {usedSkin});
}

std::string SkinProblem::NoSkinUnder(std::string_view skinsRoot) const {
    return What() + FillMessage(NO_SKIN.In(language), {skinsRoot});
}

std::string SkinProblem::Keeping(std::string_view keptSkin) const {
    return What() + FillMessage(KEEPING.In(language), {keptSkin});
}

}  // namespace kv12::ui
