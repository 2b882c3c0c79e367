#include "toolkit/Dpi.h"

#include "toolkit/Handles.h"

namespace {

// A function of a system library, or null where this Windows version has none.
template <typename F>
F systemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);  // kept loaded for the program's lifetime
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

UINT SystemDpi() {
  static const UINT dpi = [] {
    if (auto fn = systemFunction<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem")) return fn();
    int d = GetDeviceCaps(ScreenDC().get(), LOGPIXELSY);
    return d > 0 ? static_cast<UINT>(d) : kDesignDpi;
  }();
  return dpi;
}

UINT DpiForWindow(HWND hwnd) {
  static const auto forWindow = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (forWindow && hwnd) {
    if (UINT dpi = forWindow(hwnd)) return dpi;
  }
  // Windows 8.1: the monitor's dpi (the system's unless the program is per-monitor aware).
  static const auto forMonitor = systemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  if (forMonitor && hwnd) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y)
      return y;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto forDpi =
      systemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, dpi);
  // Older systems give the metrics for the system's dpi only.
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto forDpi =
      systemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (forDpi && forDpi(&rect, style, FALSE, exStyle, dpi)) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
