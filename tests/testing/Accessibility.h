#pragma once
// What a screen reader hears of a window: the name of its accessible object, asked for from this
// process as a screen reader asks. The test program links with oleacc.
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace wintest {

// The name of the window's client object, or "(none)" when it has no name or no object.
inline std::wstring AccessibleName(HWND w) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      !object)
    return L"(none)";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result = object->get_accName(self, &name) == S_OK && name ? std::wstring(name) : L"(none)";
  SysFreeString(name);
  object->Release();
  return result;
}

}  // namespace wintest
