#pragma once
// The display scale. The forms are laid out in pixels at 96 dots per inch; at another dpi every
// length is the table's times dpi / 96, rounded by MulDiv. The functions that give the dpi and
// the system metrics per monitor came with later Windows versions than the program runs on, so
// they are looked up when first needed, and older systems get the system-wide values.
#include <windows.h>

// The dpi the forms' tables are given for.
constexpr UINT kDesignDpi = 96;

// A length of the tables at `dpi`.
inline int ScaleForDpi(int value, UINT dpi) {
  return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

// The dpi of the whole system (of the primary monitor when the program started).
UINT SystemDpi();
// The dpi the window is shown at: its monitor's when the system tells it, else the system's.
UINT DpiForWindow(HWND hwnd);
// A system metric (SM_CXSMICON, SM_CYBORDER ...) for a window shown at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);
// Widens a client rectangle to the window rectangle for a window shown at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
