#pragma once
// The help window: the program's read-me in a read-only text that scrolls, and one "OK" button
// that closes it, as Enter and Esc do.
#include <string>

#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"

class THelpWindow : public TForm {
 public:
  THelpWindow();

  // The read-me the program carries (the text of the same file that lies beside it).
  static std::wstring ReadMe();

  // A read-only text of several lines that Tab leaves, as a dialog's other fields do.
  class TText : public TCustomEdit {
   protected:
    DWORD Style() const override { return ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL; }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  } Text;
  TButton OK;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// Shows the help window until it is closed.
void ShowHelp();
