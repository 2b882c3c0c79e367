#include "toolkit/Control.h"

#include <commctrl.h>
#include <shellapi.h>

#include <unordered_map>

#include "base/Text.h"
#include "toolkit/Application.h"
#include "toolkit/WinUtil.h"
#include "win/SystemFunction.h"
#include "win/Win32Check.h"

namespace {
// Our controls by window, kept here rather than as a window property: setting a property costs a
// call to the window manager for every control made.
std::unordered_map<HWND, TControl*>& controlsByHandle() {
  static std::unordered_map<HWND, TControl*> controls;
  return controls;
}
}  // namespace

void TControl::Create(TControlParent& parent, std::string name, const std::wstring& caption, Bounds b,
                      int tabOrder, bool enabled) {
  name_ = std::move(name);
  parent_ = &parent;
  bounds_ = b;
  tabOrder_ = tabOrder;
  createdBounds_ = b;
  DWORD style = WS_CHILD | WS_VISIBLE | Style();
  if (tabOrder >= 0) style |= WS_TABSTOP;
  if (!enabled) style |= WS_DISABLED;
  hwnd_ = Win32Check(CreateWindowExW(ExStyle(), WindowClass(), caption.c_str(), style, Scale(b.left),
                                     Scale(b.top), Scale(b.width), Scale(b.height), parent.Handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
  // The table finds the object for every message and lets FromHandle tell our controls from
  // other windows: window properties, the window's own data and the common controls' subclass
  // chain each cost a call to the window manager per window or per message.
  controlsByHandle()[hwnd_] = this;
  classProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::ControlProc)));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(parent.Font()), FALSE);
  parent.AddControl(this);
  AfterCreate();
}

TControl::~TControl() {
  if (hwnd_) detach();
}

void TControl::detach() {
  // Messages that still reach the window go to its class's procedure.
  if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TControl::ControlProc))
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
  controlsByHandle().erase(hwnd_);
  hwnd_ = nullptr;
}

TControl* TControl::FromHandle(HWND hwnd) {
  const auto found = controlsByHandle().find(hwnd);
  return found == controlsByHandle().end() ? nullptr : found->second;
}

LRESULT CALLBACK TControl::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TControl* self = FromHandle(hwnd);
  if (!self) {
    // Detached while a window subclassed after us still passes messages on.
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)), hwnd, msg, wp,
                           lp);
  }
  if (msg == WM_NCDESTROY) {
    WNDPROC classProc = self->classProc_;
    self->detach();
    return CallWindowProcW(classProc, hwnd, msg, wp, lp);
  }
  if (LRESULT answer; self->AnswerAccessibility(msg, wp, lp, answer)) return answer;
  // No error crosses the window procedure: it is shown here and the message counts as handled.
  try {
    return self->WndProc(msg, wp, lp);
  } catch (...) {
    Application().HandleException(std::current_exception());
    return 0;
  }
}

void TControl::AcceptDroppedFiles(std::function<void(const std::vector<std::wstring>&)> onDrop) {
  onDrop_ = std::move(onDrop);
  // The style alone makes the window a drop target: the shell is not loaded before a drop comes.
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

namespace {

// The files of a drop, which is then finished.
std::vector<std::wstring> droppedFiles(HDROP drop) {
  static auto* const dragQueryFileW =
      SystemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
  static auto* const dragFinish = SystemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
  std::vector<std::wstring> files;
  if (!dragQueryFileW || !dragFinish) return files;
  const UINT n = dragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < n; ++i) {
    std::wstring file(dragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    file.resize(dragQueryFileW(drop, i, file.data(), static_cast<UINT>(file.size())));
    if (!file.empty()) files.push_back(std::move(file));
  }
  dragFinish(drop);
  return files;
}

}  // namespace

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DROPFILES && onDrop_) {
    const std::vector<std::wstring> files = droppedFiles(reinterpret_cast<HDROP>(wp));
    if (!files.empty() && Enabled() && IsWindowEnabled(GetAncestor(hwnd_, GA_ROOT))) onDrop_(files);
    return 0;
  }
  return DefaultProc(msg, wp, lp);
}
LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(classProc_, hwnd_, msg, wp, lp);
}

std::wstring TControl::Caption() const { return hwnd_ ? WindowText(hwnd_) : std::wstring(); }
void TControl::SetCaption(const std::wstring& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}
std::string TControl::Text() const { return WideToAnsi(Caption()); }
void TControl::SetText(const std::string& text) { SetCaption(AnsiToWide(text)); }

void TControl::SetDesignBounds(Bounds b) {
  bounds_ = b;
  if (parent_) SetPixelBounds({Scale(b.left), Scale(b.top), Scale(b.width), Scale(b.height)});
}

void TControl::Rescale(UINT oldDpi) {
  if (!hwnd_ || !parent_) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(parent_->Font()), FALSE);
  SetDesignBounds(bounds_);
  ScaleChanged(oldDpi);
}

UINT TControl::Dpi() const { return parent_ ? parent_->Dpi() : kDesignDpi; }

TControl::DialogKey TControl::UseDialogKey(WPARAM key) {
  return key == VK_RETURN && WantsReturn() ? DialogKey::Control : DialogKey::Form;
}

bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }
void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}
