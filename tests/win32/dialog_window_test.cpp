#include "win32/dialog_window.h"

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

DWORD DwordAt(const std::vector<WORD>& words, std::size_t index) {
    return MAKELONG(words[index], words[index + 1]);
}

TEST(DialogTemplate, IsAnExtendedTemplateWithoutItemsNamingClassAndFont) {
    DialogTemplateSpec desc;
    desc.style = 0x92000A40;
    desc.exStyle = 0x00040010;
    desc.className = L"KorvexKV12Class";
    desc.width = 450;
    desc.height = 325;
    desc.pointSize = 12;
    desc.weight = 400;
    desc.charset = GB2312_CHARSET;
    desc.fontFace = L"宋体";
    const std::vector<WORD> words = BuildDialogTemplate(desc);
    ASSERT_GE(words.size(), 13u);
    EXPECT_EQ(words[0], 1);       // version
    EXPECT_EQ(words[1], 0xFFFF);  // extended
    EXPECT_EQ(DwordAt(words, 4), 0x00040010u);
    EXPECT_EQ(DwordAt(words, 6), 0x92000A40u);
    EXPECT_EQ(words[8], 0);  // no items
    EXPECT_EQ(words[11], 450);
    EXPECT_EQ(words[12], 325);
    EXPECT_EQ(words[13], 0);  // no menu
    const std::wstring className(reinterpret_cast<const wchar_t*>(&words[14]));
    EXPECT_EQ(className, L"KorvexKV12Class");
    std::size_t at = 14 + className.size() + 1;
    EXPECT_EQ(words[at++], 0);  // no title
    EXPECT_EQ(words[at++], 12);
    EXPECT_EQ(words[at++], 400);
    EXPECT_EQ(words[at++], GB2312_CHARSET << 8);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(&words[at])), L"宋体");
}

TEST(DialogTemplate, WithoutAFontStyleCarriesNoFont) {
    DialogTemplateSpec desc;
    desc.style = WS_POPUP;
    desc.fontFace = L"Arial";
    const std::vector<WORD> words = BuildDialogTemplate(desc);
    // Header (13 words), menu, class, title: nothing after.
    EXPECT_EQ(words.size(), 16u);
}

// A dialog that does what a test tells it in its initialisation.
class ScriptedDialog final : public DialogWindow {
public:
    bool initResult = true;
    INT_PTR endWith = 0;
    bool sawEndMessage = false;
    bool finalMessage = false;

private:
    static constexpr UINT WM_END_NOW = WM_APP + 1;
    bool OnInitDialog() override {
        if (initResult) ::PostMessageW(Handle(), WM_END_NOW, 0, 0);
        return initResult;
    }
    std::optional<MessageResult> OnMessage(UINT message, WPARAM, LPARAM) override {
        if (message != WM_END_NOW) return std::nullopt;
        sawEndMessage = true;
        End(endWith);
        return MessageResult{0};
    }
    void OnFinalMessage() override { finalMessage = true; }
};

DialogTemplateSpec HiddenPopup() {
    DialogTemplateSpec desc;
    desc.style = WS_POPUP;  // never visible: nothing flashes on the test display
    desc.width = 10;
    desc.height = 10;
    return desc;
}

TEST(DialogWindowRun, ReturnsTheResultTheDialogEndedWith) {
    ScriptedDialog dialog;
    dialog.endWith = 7;
    EXPECT_EQ(dialog.RunModal(nullptr, HiddenPopup()), 7);
    EXPECT_TRUE(dialog.sawEndMessage);
    EXPECT_TRUE(dialog.finalMessage);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogWindowRun, AFailedInitialisationEndsTheDialogAtOnceWithCancel) {
    ScriptedDialog dialog;
    dialog.initResult = false;
    EXPECT_EQ(dialog.RunModal(nullptr, HiddenPopup()), IDCANCEL);
    EXPECT_FALSE(dialog.sawEndMessage);
}

TEST(DialogWindowResults, ControlColourAndDragIconAnswersAreTheValueItself) {
    EXPECT_TRUE(ReturnsValueDirectly(WM_CTLCOLORSTATIC));
    EXPECT_TRUE(ReturnsValueDirectly(WM_CTLCOLORLISTBOX));
    EXPECT_TRUE(ReturnsValueDirectly(WM_QUERYDRAGICON));
    EXPECT_FALSE(ReturnsValueDirectly(WM_ERASEBKGND));
    EXPECT_FALSE(ReturnsValueDirectly(WM_DEVICECHANGE));
}

}  // namespace
}  // namespace kv12::win32
