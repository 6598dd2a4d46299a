#include "cli/device_listing.h"

#include <cstdio>

#include "cli/command_error.h"

#ifdef __linux__
#include "linux/linux_hid_backend.h"
#endif

namespace kv12 {
namespace {

std::string Hex4(std::uint16_t value) {
    char text[7];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

const char* Role(const HidInterfaceInfo& info) {
    if (info.usagePage == COMMAND_USAGE_PAGE && info.usage == COMMAND_USAGE) return "command";
    if (info.usagePage == NOTICE_USAGE_PAGE && info.usage == NOTICE_USAGE) return "notice";
    return "other";
}

std::string WithReason(std::string text, const HidError& error) {
    if (!error.text.empty()) text += ": " + error.text;
    if (error.accessDenied) text += "; " + AccessHint();
    return text;
}

}  // namespace

std::string AccessHint() {
#ifdef __linux__
    return std::string("no access to the mouse's hidraw nodes: install the udev rule ") +
           linux_hid::UDEV_RULE_PATH + " (the kv12ctl package brings it), then plug the mouse in again";
#else
    return "the system refused access to the mouse";
#endif
}

std::string SearchFailureText(const FindDeviceResult& search, const HidError& error) {
    if (error.accessDenied) return WithReason("the mouse cannot be opened", error);
    if (!error.text.empty()) return WithReason("the mouse cannot be reached", error);
    std::string text = MSG_NO_MOUSE;
    if (search.message) {
        std::string detail = search.message->text;
        while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
        text += ": " + detail;
    }
    return text;
}

std::string HandshakeFailureText(const HidError& error) {
    if (error.text.empty())
        return "the mouse did not answer the handshake (check the scramble key and table)";
    return WithReason("the mouse did not answer the handshake", error);
}

void ListMouseInterfaces(HidBackend& backend, std::ostream& out) {
    std::vector<HidInterfaceInfo> interfaces;
    if (!backend.Enumerate(interfaces)) {
        throw CommandError(WithReason("the HID devices cannot be listed", backend.LastError()));
    }
    std::size_t listed = 0;
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.status == HidInterfaceStatus::DetailFailed ||
            info.status == HidInterfaceStatus::QueryOpenFailed ||
            info.status == HidInterfaceStatus::AttributesFailed)
            continue;  // identifiers unknown: not known to be the mouse
        if (info.vendorId != MOUSE_VENDOR_ID || info.productId != MOUSE_PRODUCT_ID) continue;
        ++listed;
        out << info.path << ": usage page " << Hex4(info.usagePage) << ", usage " << Hex4(info.usage) << " ("
            << Role(info) << "), ";
        if (info.status == HidInterfaceStatus::Ok) {
            out << "reports: feature " << info.featureReportLength << ", input " << info.inputReportLength
                << ", output " << info.outputReportLength << " bytes, ";
        } else {
            out << "report sizes unknown" << (info.error.empty() ? std::string() : " (" + info.error + ")")
                << ", ";
        }
        const HidHandle handle = backend.Open(info.path, HidOpenMode::Command);
        if (handle.IsValid()) {
            backend.Close(handle);
            out << "can be opened\n";
        } else {
            out << WithReason("cannot be opened", backend.LastError()) << "\n";
        }
    }
    if (listed == 0) throw CommandError(MSG_NO_MOUSE);
}

}  // namespace kv12
