// Reaction to the mouse being plugged in or out while the program runs. The
// platform layer turns its device notifications into these calls; the mouse
// announces each HID interface separately, so one plug-in runs the arrival
// once per interface, each run searching again and showing its notice again.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/settings_file.h"
#include "device/device_link.h"

namespace kv12 {

// Event codes and the device type of a device-interface notification.
inline constexpr std::uint32_t DEVICE_EVENT_ARRIVAL = 0x8000;
inline constexpr std::uint32_t DEVICE_EVENT_REMOVE_COMPLETE = 0x8004;
inline constexpr std::uint32_t DEVICE_TYPE_INTERFACE = 5;

// The two spellings of the mouse's identifiers in a device name.
inline constexpr std::string_view MOUSE_NAME_MIXED_CASE = "Vid_04d9&Pid_a09f";
inline constexpr std::string_view MOUSE_NAME_UPPER_CASE = "VID_04D9&PID_A09F";

// What the monitor needs from the main window.
class ConnectionHost {
  public:
    virtual ~ConnectionHost() = default;
    // A message box for a search failure that the user is told about.
    virtual void ShowMessage(const UserMessage& message) = 0;
    virtual void HideMainWindow() = 0;
    // Whether the basic settings page has been built in this run.
    virtual bool BasicPageBuilt() const = 0;
    // Lets the notice reader run (it may already be running).
    virtual void ResumeReader() = 0;
};

// True when the name holds one of the two spellings exactly (case-sensitive);
// any other mix of cases is not the mouse.
bool DeviceNameBelongsToMouse(std::string_view name);

// A device interface of the mouse arrived: search, handshake and, when the
// mouse answers, sensor initialisation and the reader resumed (unless the
// basic page was built, when it already runs). A failed search shows its
// message, sends NOTICE_NOT_FOUND, hides the window and clears deviceReady.
void OnMouseArrival(DeviceLink& link, ConnectionHost& host);

// A device interface of the mouse went away: when another interface still
// answers the search, only the handshake is repeated; otherwise
// NOTICE_NOT_FOUND, the window hidden and deviceReady cleared.
void OnMouseRemoval(DeviceLink& link, ConnectionHost& host);

// The whole notification: arrival and removal of a device interface whose
// name belongs to the mouse run the steps above; everything else is ignored.
// Always returns true (the notification is handled).
bool HandleDeviceChange(DeviceLink& link, ConnectionHost& host, std::uint32_t event, std::uint32_t deviceType,
                        std::string_view name);

}  // namespace kv12
