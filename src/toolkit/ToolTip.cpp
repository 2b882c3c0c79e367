#include "toolkit/ToolTip.h"

#include <commctrl.h>

#include "toolkit/Application.h"

namespace {

TTTOOLINFOW toolInfo(HWND tool, const std::wstring* text) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(tool);
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
  return ti;
}

}  // namespace

TToolTip::~TToolTip() {
  if (idleHandler_) Application().RemoveIdleHandler(idleHandler_);
  if (hwnd_) DestroyWindow(hwnd_);
}

void TToolTip::create() {
  Application().RemoveIdleHandler(idleHandler_);
  idleHandler_ = 0;
  if (waiting_.empty()) return;
  // Owned by the tools' window, so that it stays above it; shown also while the window is not the
  // active one.
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          GetAncestor(waiting_.front().hwnd, GA_ROOT), nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  if (!hwnd_) return;
  // Lines break at "\n"; a long one wraps at a third of the screen.
  SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 3);
  for (const Tool& t : waiting_) {
    TTTOOLINFOW ti = toolInfo(t.hwnd, &t.text);
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));  // FALSE on failure
  }
  waiting_.clear();
}

void TToolTip::Add(HWND tool, const std::wstring& text) {
  if (hwnd_) {
    TTTOOLINFOW ti = toolInfo(tool, &text);
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));  // FALSE on failure
    return;
  }
  waiting_.push_back({tool, text});
  if (!idleHandler_) idleHandler_ = Application().AddIdleHandler([this] { create(); });
}

void TToolTip::SetText(HWND tool, const std::wstring& text) {
  if (!hwnd_) {
    for (Tool& t : waiting_)
      if (t.hwnd == tool) t.text = text;
    return;
  }
  TTTOOLINFOW ti = toolInfo(tool, &text);
  SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));  // no return value
}

void TToolTip::Pop() {
  if (hwnd_) SendMessageW(hwnd_, TTM_POP, 0, 0);
}
