#include "cli/device_listing.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/command_error.h"

namespace kv12 {
namespace {

// A backend with a fixed list of interfaces, some of which refuse to open.
class ListedBackend final : public HidBackend {
  public:
    std::vector<HidInterfaceInfo> interfaces;
    bool enumerateFails = false;
    std::map<std::string, HidError> refused;  // path: the error of its open
    HidError error;
    int open = 0;

    bool Enumerate(std::vector<HidInterfaceInfo>& out) override {
        error = {};
        if (enumerateFails) {
            error = {"hid_enumerate: Couldn't create udev context", false};
            return false;
        }
        out = interfaces;
        return true;
    }
    HidHandle Open(const std::string& path, HidOpenMode) override {
        if (const auto it = refused.find(path); it != refused.end()) {
            error = it->second;
            return {};
        }
        ++open;
        return HidHandle{1};
    }
    void Close(HidHandle handle) override {
        if (handle.IsValid()) --open;
    }
    bool SetFeature(HidHandle, std::span<const std::uint8_t>) override { return false; }
    bool GetFeature(HidHandle, std::span<std::uint8_t>) override { return false; }
    bool WriteReport(HidHandle, std::span<const std::uint8_t>) override { return false; }
    std::size_t ReadReport(HidHandle, std::span<std::uint8_t>, std::chrono::milliseconds) override {
        return 0;
    }
    HidWaitResult WaitForInputReport(HidHandle, std::span<std::uint8_t>) override { return {}; }
    void WakeUp() override {}
    HidError LastError() const override { return error; }
};

HidInterfaceInfo Interface(const std::string& path, std::uint16_t usagePage, std::uint16_t usage,
                           std::uint16_t feature, std::uint16_t input, std::uint16_t output) {
    HidInterfaceInfo info;
    info.path = path;
    info.vendorId = MOUSE_VENDOR_ID;
    info.productId = MOUSE_PRODUCT_ID;
    info.usagePage = usagePage;
    info.usage = usage;
    info.featureReportLength = feature;
    info.inputReportLength = input;
    info.outputReportLength = output;
    return info;
}

const std::string PERMISSION_TEXT = "Failed to open a device with path '/dev/hidraw3': Permission denied";

TEST(DeviceList, OneLinePerInterfaceOfTheMouseWithWhyItDoesNotOpen) {
    ListedBackend backend;
    HidInterfaceInfo keyboard = Interface("/dev/hidraw0", 0x0001, 0x0006, 0, 9, 2);
    keyboard.vendorId = 0x046D;
    HidInterfaceInfo unreadable = Interface("/dev/hidraw4", 0xFF00, 0xFF00, 0, 0, 0);
    unreadable.status = HidInterfaceStatus::CapabilitiesFailed;
    unreadable.error = "/dev/hidraw4: the report descriptor is malformed";
    backend.interfaces = {keyboard, Interface("/dev/hidraw1", 0x0001, 0x0002, 0, 4, 0),
                          Interface("/dev/hidraw2", 0xFF00, 0xFF00, 9, 33, 33),
                          Interface("/dev/hidraw3", 0xFF01, 0xFF01, 0, 9, 0), unreadable};
    backend.refused["/dev/hidraw3"] = {PERMISSION_TEXT, true};
    backend.refused["/dev/hidraw1"] = {"Failed to open a device with path '/dev/hidraw1': Device busy",
                                       false};

    std::ostringstream out;
    ListMouseInterfaces(backend, out);

    EXPECT_EQ(
        out.str(),
        "/dev/hidraw1: usage page 0x0001, usage 0x0002 (other), reports: feature 0, input 4, output 0 "
        "bytes, cannot be opened: Failed to open a device with path '/dev/hidraw1': Device busy\n"
        "/dev/hidraw2: usage page 0xff00, usage 0xff00 (command), reports: feature 9, input 33, output 33 "
        "bytes, can be opened\n"
        "/dev/hidraw3: usage page 0xff01, usage 0xff01 (notice), reports: feature 0, input 9, output 0 "
        "bytes, cannot be opened: " +
            PERMISSION_TEXT + "; " + AccessHint() +
            "\n"
            "/dev/hidraw4: usage page 0xff00, usage 0xff00 (command), report sizes unknown (/dev/hidraw4: "
            "the report descriptor is malformed), can be opened\n");
    EXPECT_EQ(backend.open, 0) << "every interface opened for the check is closed again";
}

TEST(DeviceList, WithoutAnInterfaceOfTheMouseSaysNoneIsConnected) {
    ListedBackend backend;
    HidInterfaceInfo keyboard = Interface("/dev/hidraw0", 0x0001, 0x0006, 0, 9, 2);
    keyboard.productId = 0x1234;
    backend.interfaces = {keyboard};
    std::ostringstream out;
    try {
        ListMouseInterfaces(backend, out);
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_STREQ(e.what(), MSG_NO_MOUSE);
    }
    EXPECT_EQ(out.str(), "");
}

TEST(DeviceList, AListThatCannotBeHadCarriesTheLibrarysText) {
    ListedBackend backend;
    backend.enumerateFails = true;
    std::ostringstream out;
    try {
        ListMouseInterfaces(backend, out);
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_STREQ(e.what(),
                     "the HID devices cannot be listed: hid_enumerate: Couldn't create udev context");
    }
}

struct FailureTextCase {
    const char* name;
    FindDeviceResult search;
    HidError error;
    std::string text;
};

void PrintTo(const FailureTextCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchFailureTextTest : public testing::TestWithParam<FailureTextCase> {};

TEST_P(SearchFailureTextTest, IsOneClearLine) {
    const std::string text = SearchFailureText(GetParam().search, GetParam().error);
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchFailureTextTest,
    testing::Values(FailureTextCase{"NoMouse", {}, {}, MSG_NO_MOUSE},
                    FailureTextCase{"SearchMessage",
                                    {false, UserMessage{MSG_PREPARSED_DATA_FAILED, ""}},
                                    {},
                                    std::string(MSG_NO_MOUSE) + ": HidD_GetPreparsedData failed."},
                    FailureTextCase{"Permission",
                                    {},
                                    {PERMISSION_TEXT, true},
                                    "the mouse cannot be opened: " + PERMISSION_TEXT + "; " + AccessHint()},
                    FailureTextCase{
                        "LibraryFailure",
                        {},
                        {"hid_enumerate: Couldn't create udev context", false},
                        "the mouse cannot be reached: hid_enumerate: Couldn't create udev context"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandshakeFailureText, NamesTheLibrarysErrorWhenATransferFailed) {
    EXPECT_EQ(HandshakeFailureText({}),
              "the mouse did not answer the handshake (check the scramble key and table)");
    EXPECT_EQ(HandshakeFailureText({"hid_get_feature_report: Broken pipe", false}),
              "the mouse did not answer the handshake: hid_get_feature_report: Broken pipe");
}

// Linux only: the udev rule gives access to the hidraw nodes; Windows asks for none.
#ifdef __linux__
TEST(AccessHint, NamesTheUdevRule) {
    EXPECT_NE(AccessHint().find("/usr/lib/udev/rules.d/70-korvexkv12.rules"), std::string::npos);
}
#endif

}  // namespace
}  // namespace kv12
