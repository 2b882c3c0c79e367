#include "toolkit/Dialogs.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/ResStrings.h"
#include "toolkit/Text.h"

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
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 400, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
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
