#pragma once
// Small Windows helpers that the class library would otherwise write in several places.
#include <windows.h>

#include <string>

#include "toolkit/Handles.h"

// Registers a window class of this module with the arrow cursor and the dialog background.
// Returns false when it could not be registered (for instance because it already is).
bool RegisterWindowClass(const wchar_t* className, WNDPROC proc, UINT style = 0, HICON icon = nullptr);

// The window's text in UTF-16.
std::wstring WindowText(HWND hwnd);

// The window's rectangle in its parent's client area.
RECT ChildBounds(HWND hwnd);

// The font of every form and control: Tahoma 8 pt (11 pixels high).
UniqueFont CreateFormFont();
