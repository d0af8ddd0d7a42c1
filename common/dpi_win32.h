#pragma once
// A monitor's dots per inch and the system's metrics at them. The calls
// for these came with Windows 10 version 1607; they are looked up when
// first used, so an older system answers with the system's DPI.
#include <windows.h>

namespace quorbel {

// The DPI of the monitor `window` shows on; the system's without the call.
UINT WindowDpi(HWND window);

// GetSystemMetrics(index) as it is at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

}  // namespace quorbel
