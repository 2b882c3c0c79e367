#include "controls/VistaAltFix.h"

#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include <vector>

#include "controls/FormObj.h"
#include "toolkit/Application.h"
#include "toolkit/Forms.h"
#include "win/SystemFunction.h"

namespace {

// The size that the version query is asked with: the ANSI structure without the service-pack
// fields.
constexpr DWORD kVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionInfoSize);

void repaintWindow(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

// Push buttons, check boxes and radio buttons; a group box is drawn by its parent's repaint.
bool isButton(HWND window) {
  wchar_t cls[16] = {};
  if (!GetClassNameW(window, cls, 16) || _wcsicmp(cls, L"Button") != 0) return false;
  return (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

// A parent before its children, the children in window order.
void repaintTree(HWND window, bool all) {
  if (all || isButton(window)) repaintWindow(window);
  // Collected first: painting must not be able to disturb the walk.
  std::vector<HWND> children;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (HWND c : children)
    if (IsWindow(c) && GetParent(c) == window) repaintTree(c, all);
}

UINT_PTR hookId(const TVistaAltFix* fix) { return reinterpret_cast<UINT_PTR>(fix); }

// The common controls library that this program's controls and hooks come from: the module that
// holds the imported InitCommonControlsEx (with a manifest, version 6 rather than the system's
// default one).
HMODULE commonControls() {
  HMODULE module = nullptr;
  if (GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&InitCommonControlsEx), &module) &&
      ModuleFunction<decltype(InitCommonControlsEx)>(module, "InitCommonControlsEx"))
    return module;
  return GetModuleHandleW(L"comctl32.dll");
}

// GetWindowSubclass: some versions of the library export it by its ordinal (411) only.
using GetWindowSubclassFn = BOOL WINAPI(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
GetWindowSubclassFn* getWindowSubclass() {
  HMODULE module = commonControls();
  auto get = ModuleFunction<GetWindowSubclassFn>(module, "GetWindowSubclass");
  return get ? get : ModuleFunction<GetWindowSubclassFn>(module, MAKEINTRESOURCEA(411));
}

// A tracker on Windows: puts its hook on the form's window, in front of the form's own handler,
// and takes it away again when it is freed before the window is destroyed.
class TWinFormObj final : public TFormObj {
 public:
  TWinFormObj(const FormRef& form, bool repaintAll, UINT_PTR id)
      : TFormObj(form, repaintAll), window_(reinterpret_cast<HWND>(form.window)), id_(id) {
    if (!SetWindowSubclass(window_, &TWinFormObj::Hook, id_, reinterpret_cast<DWORD_PTR>(this)))
      window_ = nullptr;
  }
  ~TWinFormObj() override {
    if (window_) RemoveWindowSubclass(window_, &TWinFormObj::Hook, id_);
  }
  bool Hooked() const { return window_ != nullptr; }

  static LRESULT CALLBACK Hook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    if (msg == WM_NCDESTROY) {
      // The window goes first: the tracker must not touch it any more.
      RemoveWindowSubclass(hwnd, &TWinFormObj::Hook, id);
      reinterpret_cast<TWinFormObj*>(ref)->window_ = nullptr;
      return DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    // The form's handler may have run code that freed this tracker; the hook is then gone.
    if (msg == kUpdateUiState) {
      DWORD_PTR still = ref;
      auto get = getWindowSubclass();
      if (!get || (get(hwnd, &TWinFormObj::Hook, id, &still) && still == ref))
        reinterpret_cast<TWinFormObj*>(ref)->MessageHandled(msg);
    }
    return result;
  }

 protected:
  void Repaint(bool all) override {
    if (window_) repaintTree(window_, all);
  }

 private:
  HWND window_;
  UINT_PTR id_;
};

// Version 6 of the common controls: the library this program's controls were made by.
bool commonControls6() {
  auto getVersion = ModuleFunction<HRESULT CALLBACK(DLLVERSIONINFO*)>(commonControls(), "DllGetVersion");
  if (!getVersion) return false;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  return SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

}  // namespace

bool TVistaAltFix::NeededBySystem() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = kVersionInfoSize;
  if (!GetVersionExA(&version)) return false;
  if (version.dwMajorVersion < 6) return false;
  return IsThemeActive() && IsAppThemed() && commonControls6();
}

TVistaAltFix::TVistaAltFix() : TVistaAltFix(NeededBySystem()) {}

TVistaAltFix::TVistaAltFix(bool active) {
  if (!active) return;
  trackers_ = std::make_unique<TFormObjList>();
  idleHandler_ = Application().AddIdleHandler([this] { idle(); });
}

TVistaAltFix::~TVistaAltFix() {
  if (idleHandler_) Application().RemoveIdleHandler(idleHandler_);
  // Frees every tracker, which takes its hook off any form window still alive.
  trackers_.reset();
}

void TVistaAltFix::idle() {
  // A repaint cannot reach another idle moment, but the walk must never run inside itself.
  if (inIdle_ || !trackers_) return;
  inIdle_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inIdle_};

  std::vector<FormRef> forms;
  for (TForm* f : TForm::All()) forms.push_back({f, reinterpret_cast<std::uintptr_t>(f->Handle())});
  trackers_->Idle(forms, [this](const FormRef& form) -> std::unique_ptr<TFormObj> {
    auto tracker = std::make_unique<TWinFormObj>(form, repaintAll_, hookId(this));
    if (!tracker->Hooked()) return nullptr;
    return tracker;
  });
}
