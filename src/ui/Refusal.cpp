#include "ui/Refusal.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "settings/KeptText.h"
#include "toolkit/Control.h"
#include "toolkit/Application.h"

void Refuse(const char* utf8Text, TControl* field) {
  ShowErrorBox(Utf8ToWide(utf8Text), L"Tarvenik");
  // The box gives the focus back to where it was; the field to correct takes it.
  if (field) field->SetFocus();
  throw EAbort("");
}

std::string KeptText(TControl& field) {
  const std::wstring typed = field.Caption();
  const char* message = nullptr;
  switch (WhyNotKept(typed)) {
    case KeepFault::None:
      return WideToAnsi(typed);
    case KeepFault::Blanks:
      message = "Tekst nie może zaczynać się ani kończyć spacją!";
      break;
    case KeepFault::Quotes:
      message = "Tekst nie może zaczynać się i kończyć tym samym cudzysłowem!";
      break;
    case KeepFault::CodePage:
      message = "Tekst zawiera znaki spoza strony kodowej systemu!";
      break;
    case KeepFault::TooLong:
      message = "Tekst może mieć najwyżej 2047 znaków!";
      break;
  }
  Refuse(message, &field);
}
