#include "device/connection_monitor.h"

#include "device/mouse_commands.h"

namespace kv12 {
namespace {

void MouseGone(DeviceLink& link, ConnectionHost& host) {
    link.Notify(MouseNotice{NOTICE_NOT_FOUND, 0});
    host.HideMainWindow();
    link.SetDeviceReady(false);
}

}  // namespace

bool DeviceNameBelongsToMouse(std::string_view name) {
    return name.find(MOUSE_NAME_MIXED_CASE) != std::string_view::npos ||
           name.find(MOUSE_NAME_UPPER_CASE) != std::string_view::npos;
}

void OnMouseArrival(DeviceLink& link, ConnectionHost& host) {
    const FindDeviceResult search = link.FindDevice();
    if (!search.found) {
        if (search.message) host.ShowMessage(*search.message);
        MouseGone(link, host);
        return;
    }
    link.Handshake();
    if (!link.DeviceReady()) return;
    InitialiseSensor(link);
    if (!host.BasicPageBuilt()) host.ResumeReader();
}

void OnMouseRemoval(DeviceLink& link, ConnectionHost& host) {
    const FindDeviceResult search = link.FindDevice();
    if (search.found) {
        link.Handshake();
        return;
    }
    if (search.message) host.ShowMessage(*search.message);
    MouseGone(link, host);
}

bool HandleDeviceChange(DeviceLink& link, ConnectionHost& host, std::uint32_t event, std::uint32_t deviceType,
                        std::string_view name) {
    if (deviceType != DEVICE_TYPE_INTERFACE || !DeviceNameBelongsToMouse(name)) return true;
    if (event == DEVICE_EVENT_ARRIVAL) {
        OnMouseArrival(link, host);
    } else if (event == DEVICE_EVENT_REMOVE_COMPLETE) {
        OnMouseRemoval(link, host);
    }
    return true;
}

}  // namespace kv12
