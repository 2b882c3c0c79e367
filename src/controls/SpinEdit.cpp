#include "controls/SpinEdit.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "base/IntText.h"
#include "base/Text.h"
#include "controls/Seams.h"
#include "controls/SpinRules.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"
#include "toolkit/Forms.h"
#include "toolkit/WinUtil.h"
#include "win/Win32Check.h"

namespace {

constexpr wchar_t kChildClass[] = L"TarvenikSpinChild";
// Half way between black and the button face: how a disabled arrow shows.
COLORREF disabledArrowColour() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2);
}

wchar_t localeDecimalSeparator() {
  wchar_t buf[8] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);  // 0 on failure
  std::u32string sep;
  if (n > 0 && buf[0]) sep.push_back(buf[0]);
  return static_cast<wchar_t>(spinrules::DecimalSeparatorOrDefault(sep));
}

}  // namespace

// --- child windows ---------------------------------------------------------------------------

TSpinChildWindow::~TSpinChildWindow() {
  if (hwnd_) {
    // The derived part is gone already: no message may reach it any more.
    DetachObjectWindow<TSpinChildWindow>(hwnd_);
    DestroyWindow(hwnd_);
  }
}

void TSpinChildWindow::CreateWindowIn(HWND parent, int left, int top, int width, int height) {
  static const bool registered = RegisterWindowClass(kChildClass, &ObjectWindowProc<TSpinChildWindow>);
  (void)registered;
  Win32Check(CreateWindowExW(WS_EX_NOPARENTNOTIFY, kChildClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                             left, top, width, height, parent, nullptr, GetModuleHandleW(nullptr), this));
}

LRESULT TSpinChildWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT answer; AnswerAccessibility(msg, wp, lp, answer)) return answer;
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// --- arrow button ----------------------------------------------------------------------------

TTimerSpeedButton::~TTimerSpeedButton() { stopTimer(); }

void TTimerSpeedButton::Create(HWND parent, int left, int top, int width, int height) {
  CreateWindowIn(parent, left, top, width, height);
}

void TTimerSpeedButton::SetGlyph(spinrules::Glyph glyph) {
  glyph_ = std::move(glyph);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TTimerSpeedButton::startTimer(UINT interval) {
  TheControlsSeams().timer(Handle(), kRepeatTimer, interval);  // replaces a running one
  timerInterval_ = interval;
}

void TTimerSpeedButton::stopTimer() {
  if (timerInterval_ == 0) return;
  if (Handle()) TheControlsSeams().timer(Handle(), kRepeatTimer, 0);
  timerInterval_ = 0;
}

void TTimerSpeedButton::setOver(LPARAM lp) {
  RECT r;
  GetClientRect(Handle(), &r);
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  bool over = PtInRect(&r, p) != FALSE;
  if (over != over_) {
    over_ = over;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void TTimerSpeedButton::step() {
  try {
    if (OnClick) OnClick();
  } catch (...) {
    stopTimer();
    throw;
  }
}

void TTimerSpeedButton::release(bool clickIfOver) {
  const bool click = clickIfOver && pressed_ && over_;
  pressed_ = false;
  over_ = false;
  stopTimer();
  if (GetCapture() == Handle()) ReleaseCapture();
  InvalidateRect(Handle(), nullptr, FALSE);
  if (click) step();
}

void TTimerSpeedButton::paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  const bool enabled = IsWindowEnabled(Handle()) != FALSE;
  const bool down = Down();
  // The theme's data is opened at the first painting and kept until the theme changes.
  if (!themeOpened_) {
    theme_.reset(OpenThemeData(Handle(), L"BUTTON"));
    themeOpened_ = true;
  }
  if (theme_) {
    int state = !enabled ? PBS_DISABLED : down ? PBS_PRESSED : PBS_NORMAL;
    DrawThemeBackground(theme_.get(), dc, BP_PUSHBUTTON, state, &rc, nullptr);
  } else {
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  }
  // The arrow drawn a run of black pixels at a time: no image is made for it.
  const int x = (rc.right - glyph_.width) / 2 + (down ? 1 : 0);
  const int y = (rc.bottom - glyph_.height) / 2 + (down ? 1 : 0);
  SetDCBrushColor(dc, enabled ? RGB(0, 0, 0) : disabledArrowColour());
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  for (int row = 0; row < glyph_.height; ++row) {
    for (int col = 0; col < glyph_.width;) {
      if (glyph_[row][col] != spinrules::GlyphPixel::Black) {
        ++col;
        continue;
      }
      const int start = col;
      while (col < glyph_.width && glyph_[row][col] == spinrules::GlyphPixel::Black) ++col;
      const RECT run{x + start, y + row, x + col, y + row + 1};
      FillRect(dc, &run, brush);
    }
  }
}

LRESULT TTimerSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      pressed_ = true;
      over_ = true;
      SetCapture(Handle());
      InvalidateRect(Handle(), nullptr, FALSE);
      if (OnMouseDown) OnMouseDown();
      if (pressed_) startTimer(kFirstDelay);
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_) setOver(lp);
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        setOver(lp);
        release(true);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_ && reinterpret_cast<HWND>(lp) != Handle()) release(false);
      return 0;
    case WM_TIMER:
      if (wp != kRepeatTimer) break;
      // A tick that was already queued when the timer stopped must not bring it back.
      if (timerInterval_ == 0) {
        TheControlsSeams().timer(Handle(), kRepeatTimer, 0);
        return 0;
      }
      if (timerInterval_ != kRepeatDelay) startTimer(kRepeatDelay);
      if (pressed_ && over_) step();
      return 0;
    case WM_ENABLE:
      if (!wp && pressed_) release(false);
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PaintDC dc(Handle());
      paint(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:  // drawn into another device, as a picture of the window is taken
      paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_THEMECHANGED:
      theme_.reset();
      themeOpened_ = false;
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_DESTROY:
      stopTimer();
      theme_.reset();
      themeOpened_ = false;
      break;
  }
  return TSpinChildWindow::WndProc(msg, wp, lp);
}

// --- arrow pair ------------------------------------------------------------------------------

void TSpinButton::Create(HWND parent, const spinrules::Rect& bounds, UINT dpi) {
  minWidth_ = ScaleForDpi(spinrules::kPairMinWidth, dpi);
  const int width = std::max(bounds.width, minWidth_);
  CreateWindowIn(parent, bounds.left, bounds.top, width, bounds.height);
  // Made in their places: each window moved after it is made costs as much again.
  const spinrules::ArrowBounds b = spinrules::ArrowLayout(width, bounds.height);
  up_.Create(Handle(), b.up.left, b.up.top, b.up.width, b.up.height);
  down_.Create(Handle(), b.down.left, b.down.top, b.down.width, b.down.height);
  setGlyphs(dpi);
  up_.OnClick = [this] {
    if (OnUpClick) OnUpClick();
  };
  down_.OnClick = [this] {
    if (OnDownClick) OnDownClick();
  };
  up_.OnMouseDown = [this] { focusControl(); };
  down_.OnMouseDown = [this] { focusControl(); };
}

void TSpinButton::setGlyphs(UINT dpi) {
  up_.SetGlyph(spinrules::ArrowGlyph(true, static_cast<int>(dpi)));
  down_.SetGlyph(spinrules::ArrowGlyph(false, static_cast<int>(dpi)));
}

void TSpinButton::SetDpi(UINT dpi) {
  minWidth_ = ScaleForDpi(spinrules::kPairMinWidth, dpi);
  setGlyphs(dpi);
  RECT r = BoundsRect();
  SetPixelBounds({r.left, r.top, minWidth_, r.bottom - r.top});
}

void TSpinButton::SetArrowsEnabled(bool enabled) {
  up_.SetEnabled(enabled);
  down_.SetEnabled(enabled);
}

void TSpinButton::focusControl() {
  if (!FocusControl) return;
  HWND h = FocusControl->Handle();
  if (h && IsWindowVisible(h) && IsWindowEnabled(h) && GetFocus() != h) FocusControl->SetFocus();
}

void TSpinButton::layoutArrows() {
  RECT r;
  GetClientRect(Handle(), &r);
  const spinrules::ArrowBounds b = spinrules::ArrowLayout(r.right, r.bottom);
  up_.SetPixelBounds({b.up.left, b.up.top, b.up.width, b.up.height});
  down_.SetPixelBounds({b.down.left, b.down.top, b.down.width, b.down.height});
}

LRESULT TSpinButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if (!(pos->flags & SWP_NOSIZE) && pos->cx < minWidth_) pos->cx = minWidth_;
      break;
    }
    case WM_SIZE:
      layoutArrows();
      return 0;
  }
  return TSpinChildWindow::WndProc(msg, wp, lp);
}

// --- the field -------------------------------------------------------------------------------

TSpinEdit::TSpinEdit() : button_(std::make_unique<TSpinButton>()) {}

TSpinEdit::~TSpinEdit() {
  // The pair's windows go while this object can still answer the field's messages.
  button_.reset();
}

void TSpinEdit::AfterCreate() {
  TCustomEdit::AfterCreate();
  if (Caption().empty()) SetCaption(L"0");
  if (readOnly_) SendMessageW(Handle(), EM_SETREADONLY, TRUE, 0);
  // The field first gets the height its text needs; the pair is then made in its place.
  growToMinHeight();
  const int pairWidth = ScaleForDpi(spinrules::kPairMinWidth, Dpi());
  button_->Create(Handle(), pairPlace(pairWidth), Dpi());
  button_->FocusControl = this;
  button_->OnUpClick = [this] { UpClick(); };
  button_->OnDownClick = [this] { DownClick(); };
  if (!IsWindowEnabled(Handle())) button_->SetArrowsEnabled(false);
  created_ = true;
  placeText(pairWidth);
}

bool TSpinEdit::ReadOnly() const { return readOnly_; }

void TSpinEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (Handle()) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

int32_t TSpinEdit::Value() const {
  try {
    return spinrules::ReadValue(WideToAnsi(Caption()), minValue_);
  } catch (...) {
    return minValue_;  // whatever fails on the way reads as the lower limit
  }
}

void TSpinEdit::SetValue(int32_t v) {
  const std::string text = IntToStr(spinrules::Clamp(v, minValue_, maxValue_));
  // The same text again would only move the caret and tell of a change that is none.
  if (Text() != text) SetText(text);
}

bool TSpinEdit::IsValidChar(wchar_t key) const {
  return spinrules::IsValidChar(static_cast<char32_t>(key), static_cast<char32_t>(localeDecimalSeparator()),
                                editorEnabled_);
}

void TSpinEdit::step(int64_t delta) {
  if (ReadOnly()) {
    Application().Beep();
    return;
  }
  SetValue(spinrules::Step(Value(), delta, minValue_, maxValue_));
}

void TSpinEdit::UpClick() { step(kIncrement); }
void TSpinEdit::DownClick() { step(-static_cast<int64_t>(kIncrement)); }

void TSpinEdit::clampText() {
  const int32_t v = Value();
  if (spinrules::Clamp(v, minValue_, maxValue_) != v) SetValue(v);
}

void TSpinEdit::ScaleChanged(UINT oldDpi) {
  TCustomEdit::ScaleChanged(oldDpi);
  button_->SetDpi(Dpi());
  resized();
}

int TSpinEdit::MinHeight() const {
  ScreenDC screen;
  HGDIOBJ old = SelectObject(screen.get(), GetStockObject(SYSTEM_FONT));
  TEXTMETRICW system{};
  GetTextMetricsW(screen.get(), &system);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)))
    SelectObject(screen.get(), font);
  TEXTMETRICW own{};
  GetTextMetricsW(screen.get(), &own);
  SelectObject(screen.get(), old);
  // The system font is made for the system's dpi; the field is shown at its window's.
  const UINT dpi = Dpi();
  const int systemHeight = MulDiv(system.tmHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return spinrules::MinHeight(own.tmHeight, systemHeight, SystemMetricForDpi(SM_CYBORDER, dpi));
}

bool TSpinEdit::growToMinHeight() {
  RECT wr;
  GetWindowRect(Handle(), &wr);
  const int minHeight = MinHeight();
  if (wr.bottom - wr.top >= minHeight) return false;
  SetWindowPos(Handle(), nullptr, 0, 0, wr.right - wr.left, minHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

spinrules::Rect TSpinEdit::pairPlace(int pairWidth) const {
  RECT wr;
  GetWindowRect(Handle(), &wr);
  const bool ctl3d = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
  return spinrules::PairBounds(wr.right - wr.left, wr.bottom - wr.top, pairWidth, ctl3d);
}

void TSpinEdit::placeText(int pairWidth) {
  RECT cr;
  GetClientRect(Handle(), &cr);
  const spinrules::Edges text = spinrules::TextArea(cr.right, cr.bottom, pairWidth);
  RECT tr{text.left, text.top, text.right, text.bottom};
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&tr));
}

void TSpinEdit::resized() {
  // A field grown to its least height comes back here through WM_SIZE.
  if (growToMinHeight()) return;
  RECT pr = button_->BoundsRect();
  const int pairWidth = pr.right - pr.left;
  const spinrules::Rect pair = pairPlace(pairWidth);
  button_->SetPixelBounds({pair.left, pair.top, pair.width, pair.height});
  placeText(pairWidth);
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = TCustomEdit::WndProc(msg, wp, lp);
      if (created_) resized();
      return r;
    }
    case WM_CHAR: {
      const auto key = static_cast<wchar_t>(wp);
      if (!IsValidChar(key)) {
        Application().Beep();
        return 0;
      }
      // The control is multi-line only for its text area; it still holds one line, so a line
      // feed or tab that a one-line field would ignore must not reach it.
      if (key == L'\n' || key == L'\t') return 0;
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_UP) UpClick();
      if (wp == VK_DOWN) DownClick();
      // Delete (Shift+Delete cuts) and Shift+Insert (pastes) edit the text without a character.
      if (wp == VK_DELETE && !editorEnabled_) return 0;
      if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && !editorEnabled_) return 0;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!editorEnabled_ || ReadOnly()) return 0;
      break;
    case WM_SETFOCUS:
      if (!lButtonDown_) SelectAll();
      break;
    case WM_KILLFOCUS: {
      LRESULT r = TCustomEdit::WndProc(msg, wp, lp);
      clampText();
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // Set while the edit's own handling gives the field the focus, so a click does not select all.
      lButtonDown_ = true;
      return TCustomEdit::WndProc(msg, wp, lp);
    }
    case WM_LBUTTONUP:
      lButtonDown_ = false;
      break;
    case WM_ENABLE:
      button_->SetArrowsEnabled(wp != 0);
      break;
    case WM_GETDLGCODE:
      // Tab, Enter and Esc belong to the form, as for a one-line field.
      return TCustomEdit::WndProc(msg, wp, lp) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  }
  return TCustomEdit::WndProc(msg, wp, lp);
}
