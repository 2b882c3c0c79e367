#pragma once
// The window procedure of a class whose objects each own a window: the object handed over at
// creation is kept in a table by window from WM_NCCREATE on (not in the window's own data, whose
// setting costs a call to the window manager for every window made), every message goes to its WndProc, and
// at WM_NCDESTROY the two part. The class makes this a friend; it has `HWND hwnd_` and
// `LRESULT WndProc(UINT, WPARAM, LPARAM)`. No error crosses it: one that escapes WndProc is shown
// in the error box (EAbort silently), the message counts as handled and the program goes on.
#include <windows.h>

#include <unordered_map>

#include "toolkit/Application.h"

template <typename T>
std::unordered_map<HWND, T*>& ObjectsByWindow() {
  static std::unordered_map<HWND, T*> objects;
  return objects;
}

// No message reaches the object any more; the window's own procedure answers them.
template <typename T>
void DetachObjectWindow(HWND hwnd) {
  ObjectsByWindow<T>().erase(hwnd);
}

template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    created->hwnd_ = hwnd;
    ObjectsByWindow<T>()[hwnd] = created;
  }
  const auto found = ObjectsByWindow<T>().find(hwnd);
  if (found == ObjectsByWindow<T>().end()) return DefWindowProcW(hwnd, msg, wp, lp);
  T* self = found->second;
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    ObjectsByWindow<T>().erase(found);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->WndProc(msg, wp, lp);
  } catch (...) {
    Application().HandleException(std::current_exception());
    return 0;
  }
}
