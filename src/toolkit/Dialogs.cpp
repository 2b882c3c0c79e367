#include "toolkit/Dialogs.h"

#include <algorithm>

#include "base/ResStrings.h"
#include "base/Text.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Dpi.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/WinUtil.h"

namespace {

// The text's size in the form's font when it wraps at 400 pixels (at 96 dpi), given for 96 dpi
// like the rest of the form's layout (rounded up, so that the scaled label still holds it).
SIZE measure(const std::wstring& text, HFONT font, UINT dpi) {
  ScreenDC screen;
  SelectedObject selected(screen.get(), font);
  RECT r{0, 0, ScaleForDpi(400, dpi), 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  auto unscale = [dpi](LONG px) { return static_cast<LONG>((px * kDesignDpi + dpi - 1) / dpi); };
  // A little room: the label lays the text out itself and must not wrap its last word away.
  return SIZE{unscale(r.right - r.left) + 8, unscale(r.bottom - r.top)};
}

class TMessageForm : public TForm {
 public:
  explicit TMessageForm(const std::wstring& text)
      : TForm(Application().Title(), 200, 100, BorderStyle::Dialog) {
    constexpr int kMargin = 16, kButtonW = 75, kButtonH = 25;
    const SIZE textSize = measure(text, Font(), Dpi());
    const int clientW = std::max<int>(textSize.cx + 32, 200);
    const int clientH = textSize.cy + 16 + 12 + 25 + 10;
    SetClientSize(clientW, clientH);
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

}  // namespace

void ShowMessage(const std::wstring& text) {
  TMessageForm form(text);
  form.ShowModal();
}
