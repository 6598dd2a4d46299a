// The system headers of the HID class driver and SetupAPI. MinGW-w64's hid.dll
// headers declare their functions without C linkage, so they are included here,
// once, inside extern "C".
#pragma once

#include <windows.h>
// setupapi.h and the hid.dll headers need windows.h first.
#include <setupapi.h>

extern "C" {
// hidsdi.h brings hidusage.h and hidpi.h in the order they need.
#include <hidsdi.h>
}
