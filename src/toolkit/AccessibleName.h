#pragma once
// The name that screen readers announce for a window whose own text does not say what it is for:
// a field named by a label or check box beside it, a small button whose caption is only a sign.
//
// Screen readers ask a window for its accessible object (WM_GETOBJECT). The answer is the object
// the system itself makes for the window, in every respect but the name (and the role, when one is
// given): its value, state, children and position stay the system's. A label placed just before
// its field in the window order would name edit fields too, but not lists or drop-down lists under
// every system, and it would not name buttons at all.
#include <windows.h>

#include <string>

class TAccessibleName {
 public:
  // `role`: one of the ROLE_SYSTEM_ values, or 0 to keep the system's.
  void Set(std::wstring name, long role = 0) {
    name_ = std::move(name);
    role_ = role;
  }

  // Answers WM_GETOBJECT for `hwnd` when a name was set; false leaves the message to the window.
  bool Answer(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT& result) const;

 private:
  std::wstring name_;
  long role_ = 0;
};
