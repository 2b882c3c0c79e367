#pragma once
// Small Windows helpers that the class library would otherwise write in several places.
#include <windows.h>

#include <string>

#include "win/Handles.h"

// Registers a window class of this module with the arrow cursor and the dialog background, and
// with the icon of this module's resource `iconName` when one is named. Returns false when it could
// not be registered (for instance because it already is).
bool RegisterWindowClass(const wchar_t* className, WNDPROC proc, UINT style = 0,
                         const wchar_t* iconName = nullptr);

// The window's text in UTF-16.
std::wstring WindowText(HWND hwnd);

// The window's rectangle in its parent's client area.
RECT ChildBounds(HWND hwnd);

// The font of every form and control: Tahoma 8 pt at `dpi` (11 pixels high at 96 dpi, 16 at 144,
// 21 at 192). The point size rather than the 96-dpi height scaled, which would give 17 pixels at
// 144 dpi: a font wider in proportion than the scaled controls, too wide for some captions.
UniqueFont CreateFormFont(UINT dpi = 96);
