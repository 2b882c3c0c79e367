#include "ui/Unit2.h"

#include "toolkit/Text.h"

TSelectApplication* SelectApplication = nullptr;

TSelectApplication::TSelectApplication() : TForm(Utf8ToWide("Wybierz aplikację"), 400, 201) { EndBuilding(); }

TSelectApplication::~TSelectApplication() {
  if (SelectApplication == this) SelectApplication = nullptr;
}
