#include "win32/keyboard_hook.h"

#include <memory>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

struct FlagsCase {
    const char* name;
    std::uint32_t flags;
    std::uint32_t scanCode;
    bool extended, wasDown, released;
};

void PrintTo(const FlagsCase& c, std::ostream* os) {
    *os << "flags 0x" << std::hex << c.flags << std::dec;
}

class KeystrokeFlags : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(KeystrokeFlags, AreReadBitByBit) {
    const KeyEvent event = KeyEventFrom(0x41, static_cast<LPARAM>(GetParam().flags));
    EXPECT_EQ(event.virtualKey, 0x41u);
    EXPECT_EQ(event.scanCode, GetParam().scanCode);
    EXPECT_EQ(event.extended, GetParam().extended);
    EXPECT_EQ(event.wasDown, GetParam().wasDown);
    EXPECT_EQ(event.released, GetParam().released);
    EXPECT_EQ(event.flags, GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeystrokeFlags,
                         ::testing::Values(FlagsCase{"APressed", 0x001E0001, 0x1E, false, false, false},
                                           FlagsCase{"ARepeated", 0x401E0001, 0x1E, false, true, false},
                                           FlagsCase{"AReleased", 0xC01E0001, 0x1E, false, true, true},
                                           FlagsCase{"RightCtrlPressed", 0x011D0001, 0x1D, true, false,
                                                     false},
                                           FlagsCase{"CursorUpReleased", 0xC1480001, 0x48, true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A focused window of this thread that receives injected keys.
class KeyboardHookLive : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        ::SetForegroundWindow(window_);
        ::SetFocus(window_);
    }
    void TearDown() override { ::DestroyWindow(window_); }

    static void Press(WORD virtualKey, WORD scanCode) {
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = virtualKey;
            input.ki.wScan = scanCode;
        }
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    }
    // Lets the thread retrieve its messages (the hook runs there) until the
    // events arrived, giving up after a generous bound.
    static void PumpUntil(const std::vector<KeyEvent>& events, std::size_t count) {
        for (int round = 0; round < 200 && events.size() < count; ++round) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
            ::Sleep(10);
        }
    }

    HWND window_ = nullptr;
};

TEST_F(KeyboardHookLive, ReportsPressAndReleaseAndLetsTheKeyThrough) {
    std::vector<KeyEvent> events;
    KeyboardHook hook([&events](const KeyEvent& event) { events.push_back(event); });
    ASSERT_TRUE(hook.Installed()) << hook.InstallError();
    Press('A', 0x1E);
    PumpUntil(events, 2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].virtualKey, static_cast<std::uint32_t>('A'));
    EXPECT_FALSE(events[0].released);
    EXPECT_EQ(events[1].virtualKey, static_cast<std::uint32_t>('A'));
    EXPECT_TRUE(events[1].released);
}

TEST_F(KeyboardHookLive, AHandlerMayRemoveItsOwnHook) {
    std::vector<KeyEvent> events;
    auto hook = std::make_unique<KeyboardHook>(nullptr);
    hook.reset();
    hook = std::make_unique<KeyboardHook>([&](const KeyEvent& event) {
        events.push_back(event);
        hook.reset();  // as Ctrl+Break ends a recording from inside the hook
    });
    ASSERT_TRUE(hook->Installed());
    Press('B', 0x30);
    PumpUntil(events, 1);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(hook, nullptr);
}

TEST(KeyboardHookInstall, OneHookPerThreadAtATime) {
    KeyboardHook first([](const KeyEvent&) {});
    ASSERT_TRUE(first.Installed());
    KeyboardHook second([](const KeyEvent&) {});
    EXPECT_FALSE(second.Installed());
    EXPECT_EQ(second.InstallError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

}  // namespace
}  // namespace kv12::win32
