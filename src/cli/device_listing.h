// `kv12ctl device list` and the one-line texts for a mouse that cannot be
// reached: none connected, no access (naming the udev rule on Linux), or a
// failure of the HID library in its own words.
#pragma once

#include <ostream>
#include <string>

#include "device/device_link.h"
#include "device/hid_backend.h"

namespace kv12 {

inline constexpr const char* MSG_NO_MOUSE = "no mouse connected (HID vendor 04d9, product a09f)";

// What to do about an access the system refused.
std::string AccessHint();

// The line for a search that found no mouse to talk to; error is the backend's
// last failure after the search.
std::string SearchFailureText(const FindDeviceResult& search, const HidError& error);

// The line for a mouse that did not answer the handshake.
std::string HandshakeFailureText(const HidError& error);

// One line per HID interface of the mouse: path, usage page and usage with the
// collection's role, report sizes, and whether it can be opened (it is opened
// and closed again; nothing is sent). Throws CommandError when the list cannot
// be had or holds no interface of the mouse.
void ListMouseInterfaces(HidBackend& backend, std::ostream& out);

}  // namespace kv12
