#include "toolkit/SpeedButton.h"

#include <windowsx.h>
#include <oleacc.h>

#include "toolkit/ToolTip.h"

void TSpeedButton::SetHint(TToolTip& tips, const std::wstring& hint) {
  tips.Add(Handle(), hint);
  SetAccessibleName(hint, ROLE_SYSTEM_PUSHBUTTON);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The button's own mouse handling would take the focus; do the press and release here instead.
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      SetCapture(Handle());
      SendMessageW(Handle(), BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT r;
        GetClientRect(Handle(), &r);
        SendMessageW(Handle(), BM_SETSTATE, PtInRect(&r, p), 0);
      }
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
        SendMessageW(Handle(), BM_SETSTATE, FALSE, 0);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT r;
        GetClientRect(Handle(), &r);
        if (PtInRect(&r, p) && IsWindowEnabled(Handle())) HandleCommand(BN_CLICKED);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        SendMessageW(Handle(), BM_SETSTATE, FALSE, 0);
      }
      break;
    case WM_SETFOCUS:
      // Never keep the focus: hand it back to where it came from.
      if (wp) ::SetFocus(reinterpret_cast<HWND>(wp));
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(Handle())) HandleCommand(BN_CLICKED);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  }
  return TButton::WndProc(msg, wp, lp);
}
