#pragma once
// The window procedure of a class whose objects each own a window: the object handed over at
// creation is kept with the window from WM_NCCREATE on, every message goes to its WndProc, and
// at WM_NCDESTROY the two part. The class makes this a friend; it has `HWND hwnd_` and
// `LRESULT WndProc(UINT, WPARAM, LPARAM)`. No error crosses it: one that escapes WndProc is shown
// in the error box (EAbort silently), the message counts as handled and the program goes on.
#include <windows.h>

#include "toolkit/Application.h"

template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->WndProc(msg, wp, lp);
  } catch (...) {
    Application().HandleException(std::current_exception());
    return 0;
  }
}
