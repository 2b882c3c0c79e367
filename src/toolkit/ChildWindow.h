#pragma once
// What every child window of the class library has, whether it wraps a Windows control on a form
// or is a window of the library's own inside another control: its handle, enabled and visible
// state, and its position in the parent's client area.
#include <windows.h>

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
  bool Visible() const;
  // Position inside the parent's client area.
  RECT BoundsRect() const;
  void SetBounds(Bounds b);

 protected:
  HWND hwnd_ = nullptr;
};
