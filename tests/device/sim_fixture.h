// A device link talking to a virtual mouse, with the waits recorded in the
// mouse's trace instead of slept, and the link's notices collected.
#pragma once

#include <utility>
#include <vector>

#include "device/device_link.h"
#include "device/mouse_notice.h"
#include "device/scramble_config.h"
#include "sim/virtual_mouse.h"

namespace kv12::test {

struct SimulatedMouse {
    explicit SimulatedMouse(VirtualMouseOptions options = {}) : mouse(std::move(options)) {
        link.SetNoticeSink([this](const MouseNotice& notice) { notices.push_back(notice); });
    }

    // Search and handshake, as at start-up; true when the mouse is ready.
    bool Connect() {
        if (!link.FindDevice().found) return false;
        link.Handshake();
        return link.DeviceReady();
    }

    VirtualMouse mouse;
    SimClock clock{mouse};
    std::vector<MouseNotice> notices;
    DeviceLink link{mouse, clock, DEFAULT_SCRAMBLE_CONFIG};
};

}  // namespace kv12::test
