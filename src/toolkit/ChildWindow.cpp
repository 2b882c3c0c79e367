#include "toolkit/ChildWindow.h"

#include "toolkit/WinUtil.h"

bool TChildWindow::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void TChildWindow::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

RECT TChildWindow::BoundsRect() const { return hwnd_ ? ChildBounds(hwnd_) : RECT{}; }
void TChildWindow::SetPixelBounds(Bounds b) {
  if (hwnd_) MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
}
