#pragma once
// Refusing what the user typed: a message box captioned "Tarvenik" with the stop icon and one OK
// button, then the action ends silently (EAbort) and every text stays in its field.
#include <string>

class TControl;

// The field to correct takes the focus.
[[noreturn]] void Refuse(const char* utf8Text, TControl& field);

// The field's text; refused (the field then takes the focus) when the settings file would not
// give it back exactly as typed.
std::string KeptText(TControl& field);
