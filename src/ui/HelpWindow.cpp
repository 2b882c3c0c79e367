#include "ui/HelpWindow.h"

#include <string_view>

#include "base/Exception.h"
#include "base/Text.h"

THelpWindow::THelpWindow() : TForm(L"Pomoc", 480, 420, BorderStyle::Dialog) {
  // The text first in the tab order: a screen reader reads it when the window opens.
  Text.Create(*this, "Text", ReadMe(), {8, 8, 464, 364}, 0, true);
  OK.Create(*this, "OK", L"OK", {382, 380, 90, 30}, 1, true);
  Text.SetAccessibleName(L"Pomoc");
  OK.OnClick = [this] { SetModalResult(mrOk); };
  SetDefaultButton(&OK);
  EndBuilding();
}

std::wstring THelpWindow::ReadMe() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, L"HELPTEXT", RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw Exception(WideToAnsi(Utf8ToWide("W programie brakuje tekstu pomocy.")));
  std::string_view text(static_cast<const char*>(bytes), SizeofResource(module, found));
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // the byte order mark Notepad wants
  return Utf8ToWide(text);
}

LRESULT THelpWindow::TText::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = TCustomEdit::WndProc(msg, wp, lp);
  // A text of several lines would keep Tab and Enter, and Tab into it would select it all.
  if (msg == WM_GETDLGCODE) result &= ~(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
  return result;
}

LRESULT THelpWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // Black on the window colour, as a document is shown, rather than on a read-only field's grey.
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == Text.Handle()) {
    SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return TForm::WndProc(msg, wp, lp);
}

void ShowHelp() {
  THelpWindow help;
  help.ShowModal();
}
