#include "toolkit/Control.h"

#include <commctrl.h>

#include "base/Text.h"
#include "toolkit/Forms.h"
#include "toolkit/WinUtil.h"

namespace {
constexpr wchar_t kControlProp[] = L"TarvenikControl";
}

void TControl::Create(TForm& parent, std::string name, const std::wstring& caption, Bounds b, int tabOrder,
                      bool enabled) {
  name_ = std::move(name);
  form_ = &parent;
  bounds_ = b;
  tabOrder_ = tabOrder;
  DWORD style = WS_CHILD | WS_VISIBLE | Style();
  if (tabOrder >= 0) style |= WS_TABSTOP;
  if (!enabled) style |= WS_DISABLED;
  hwnd_ = CreateWindowExW(ExStyle(), WindowClass(), caption.c_str(), style, parent.Scale(b.left),
                          parent.Scale(b.top), parent.Scale(b.width), parent.Scale(b.height), parent.Handle(),
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetPropW(hwnd_, kControlProp, this);
  SetWindowSubclass(hwnd_, &TControl::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(parent.Font()), FALSE);
  parent.AddControl(this);
  AfterCreate();
}

TControl::~TControl() {
  if (hwnd_) {
    RemoveWindowSubclass(hwnd_, &TControl::SubclassProc, 1);
    RemovePropW(hwnd_, kControlProp);
  }
}

TControl* TControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TControl*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TControl::SubclassProc, 1);
    RemovePropW(hwnd, kControlProp);
    self->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  return self->WndProc(msg, wp, lp);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }
LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(hwnd_, msg, wp, lp); }

std::wstring TControl::Caption() const { return hwnd_ ? WindowText(hwnd_) : std::wstring(); }
void TControl::SetCaption(const std::wstring& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}
std::string TControl::Text() const { return WideToAnsi(Caption()); }
void TControl::SetText(const std::string& text) { SetCaption(AnsiToWide(text)); }

void TControl::SetBounds(Bounds b) {
  bounds_ = b;
  if (form_)
    TChildWindow::SetBounds(
        {form_->Scale(b.left), form_->Scale(b.top), form_->Scale(b.width), form_->Scale(b.height)});
}

void TControl::Rescale(UINT oldDpi) {
  if (!hwnd_ || !form_) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), FALSE);
  SetBounds(bounds_);
  ScaleChanged(oldDpi);
}

bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }
void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}
