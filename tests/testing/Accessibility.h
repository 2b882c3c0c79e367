#pragma once
// What a screen reader hears of a window: the name and role of its accessible object and of the
// object's children, asked for from this process as a screen reader asks. The test program links
// with oleacc.
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace wintest {

struct Accessible {
  std::wstring name = L"(none)";  // when it has no name or there is no object
  long role = 0;
  long children = 0;
  bool childObject = false;  // a child with an object of its own (not an element of its parent)
};

// The window's client object (`system`: the one the system makes for any window of its kind,
// rather than the one the window answers with), or its child `child` as that object reports it.
inline Accessible AccessibleOf(HWND w, long child = CHILDID_SELF, bool system = false) {
  IAccessible* object = nullptr;
  const HRESULT found = system ? CreateStdAccessibleObject(w, OBJID_CLIENT, __uuidof(IAccessible),
                                                           reinterpret_cast<void**>(&object))
                               : AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible),
                                                            reinterpret_cast<void**>(&object));
  if (FAILED(found) || !object) return {};
  Accessible a;
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  if (object->get_accName(id, &name) == S_OK && name) a.name = name;
  SysFreeString(name);
  VARIANT role{};
  if (object->get_accRole(id, &role) == S_OK && role.vt == VT_I4) a.role = role.lVal;
  VariantClear(&role);
  if (child == CHILDID_SELF) {
    object->get_accChildCount(&a.children);
  } else if (IDispatch* dispatch = nullptr; object->get_accChild(id, &dispatch) == S_OK && dispatch) {
    a.childObject = true;
    dispatch->Release();
  }
  object->Release();
  return a;
}

}  // namespace wintest
