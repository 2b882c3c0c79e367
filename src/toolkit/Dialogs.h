#pragma once
// Message dialogs.
#include <string>

// The plain message dialog: a form of the class library with the application's title as
// caption, no icon and one "OK" button that answers Enter and Esc. Returns when it is closed.
void ShowMessage(const std::wstring& text);

// A system message box with the given caption, the stop icon and one OK button, modal to the
// active window.
void ShowErrorBox(const std::wstring& text, const std::wstring& caption);
