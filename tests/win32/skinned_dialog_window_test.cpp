#include "win32/skinned_dialog_window.h"

#include <gtest/gtest.h>

#include "win32/image_cache.h"

namespace kv12::win32 {
namespace {

// A portable dialog that decides at its initialisation how it ends.
class EndingDialog final : public ui::SkinnedDialog {
public:
    bool initResult = true;
    std::optional<ui::DialogResult> endWith;
    ui::DialogHost* seenHost = nullptr;

    bool OnInitDialog(ui::DialogHost& host) override {
        seenHost = &host;
        if (endWith) host.EndDialog(*endWith);
        return initResult;
    }
    void OnEraseBackground() override {}
    void OnLButtonDown(ui::Point) override {}
    void OnMouseMove(ui::Point) override {}
    void OnMouseHover(ui::Point) override {}
    void OnMouseWheel(int) override {}
    void OnCommand(int, int) override {}
    ui::ControlColors ControlColorsFor(int, ui::ControlKind) const override { return {}; }
    void OnEnterKey() override {}
    void OnEscapeKey() override {}
};

class SkinnedDialogRun : public ::testing::Test {
protected:
    ui::DialogResult Run(EndingDialog& dialog) {
        SkinnedDialogWindow window(dialog, HostContext{&images_, L"test", nullptr});
        return window.Run(nullptr);
    }
    ImageCache images_;
};

TEST_F(SkinnedDialogRun, OkFromThePortableDialogIsTheResult) {
    EndingDialog dialog;
    dialog.endWith = ui::DialogResult::Ok;
    EXPECT_EQ(Run(dialog), ui::DialogResult::Ok);
    EXPECT_NE(dialog.seenHost, nullptr);
}

TEST_F(SkinnedDialogRun, CancelFromThePortableDialogIsTheResult) {
    EndingDialog dialog;
    dialog.endWith = ui::DialogResult::Cancel;
    EXPECT_EQ(Run(dialog), ui::DialogResult::Cancel);
}

TEST_F(SkinnedDialogRun, ADialogThatCannotRunEndsAtOnceCancelled) {
    // Its background is missing: it said so and returned false; nothing may stay open.
    EndingDialog dialog;
    dialog.initResult = false;
    EXPECT_EQ(Run(dialog), ui::DialogResult::Cancel);
}

}  // namespace
}  // namespace kv12::win32
