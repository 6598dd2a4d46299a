// The Windows headers the window layer uses, included in the one order that
// works, with the A/W name macros that collide with the portable layer's
// method names (WindowHost::DrawText, WindowHost::ChooseColor) taken away
// again: the code calls ::DrawTextW and ::ChooseColorW by their real names.
#pragma once

#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#undef DrawText
#undef ChooseColor
