#pragma once
// Message dialogs.
#include <string>

// The plain message dialog: a form of the class library with the application's title as
// caption, no icon and one "OK" button that answers Enter and Esc. Returns when it is closed.
void ShowMessage(const std::wstring& text);

// The system's error box, ShowErrorBox, is the application object's (toolkit/Application.h).
