#include "toolkit/Dialogs.h"

#include <algorithm>

#include "base/ResStrings.h"
#include "base/Text.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/WinUtil.h"

namespace {

class TMessageForm : public TForm {
 public:
  TMessageForm(const std::wstring& text, SIZE textSize, int clientW, int clientH)
      : TForm(Application().Title(), clientW, clientH, BorderStyle::Dialog) {
    constexpr int kMargin = 16, kButtonW = 75, kButtonH = 25;
    message.Create(*this, "Message", text, {kMargin, kMargin, textSize.cx, textSize.cy}, -1, true);
    ok.Create(*this, "OK", AnsiToWide(LoadResString(ResId::MsgDlgOK)),
              {(clientW - kButtonW) / 2, clientH - 10 - kButtonH, kButtonW, kButtonH}, 0, true);
    ok.OnClick = [this] { SetModalResult(mrOk); };
    SetDefaultButton(&ok);
    SetCancelButton(&ok);
    EndBuilding();
  }
  class TMessageLabel : public TLabel {
   protected:
    DWORD Style() const override { return SS_LEFT | SS_NOPREFIX; }
  } message;
  TButton ok;
};

SIZE measure(const std::wstring& text) {
  ScreenDC screen;
  UniqueFont font = CreateFormFont();
  SelectedObject selected(screen.get(), font.get());
  RECT r{0, 0, 400, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  // A little room: the label lays the text out itself and must not wrap its last word away.
  return SIZE{r.right - r.left + 8, r.bottom - r.top};
}

}  // namespace

void ShowMessage(const std::wstring& text) {
  SIZE size = measure(text);
  int w = std::max<int>(size.cx + 32, 200);
  int h = size.cy + 16 + 12 + 25 + 10;
  TMessageForm form(text, size, w, h);
  form.ShowModal();
}

void ShowErrorBox(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}
