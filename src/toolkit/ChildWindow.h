#pragma once
// What every child window of the class library has, whether it wraps a Windows control on a form
// or is a window of the library's own inside another control: its handle, enabled state and
// its position in the parent's client area.
#include <windows.h>

#include <string>

#include "toolkit/AccessibleName.h"

struct Bounds {
  int left, top, width, height;
};

class TChildWindow {
 public:
  TChildWindow() = default;
  TChildWindow(const TChildWindow&) = delete;
  TChildWindow& operator=(const TChildWindow&) = delete;
  virtual ~TChildWindow() = default;

  HWND Handle() const { return hwnd_; }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Position inside the parent's client area, in the pixels it shows at.
  RECT BoundsRect() const;
  void SetPixelBounds(Bounds b);
  // The name screen readers announce, where the window's own text does not say what it is for;
  // `role` (a ROLE_SYSTEM_ value) where the system would not know it.
  void SetAccessibleName(std::wstring name, long role = 0) { accessibleName_.Set(std::move(name), role); }

 protected:
  // Answers a screen reader's WM_GETOBJECT with the name set; false leaves it to the window.
  bool AnswerAccessibility(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) const {
    return msg == WM_GETOBJECT && accessibleName_.Answer(hwnd_, wp, lp, result);
  }

  HWND hwnd_ = nullptr;

 private:
  TAccessibleName accessibleName_;
};
