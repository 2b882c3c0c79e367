#include "toolkit/Dpi.h"

#include "win/Handles.h"
#include "win/SystemFunction.h"

namespace {

// Functions that only newer versions of Windows have.
using GetDpiForWindowFn = UINT WINAPI(HWND);
using GetDpiForSystemFn = UINT WINAPI();
using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int WINAPI(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

UINT SystemDpi() {
  static const UINT dpi = [] {
    if (auto fn = SystemFunction<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem")) return fn();
    int d = GetDeviceCaps(ScreenDC().get(), LOGPIXELSY);
    return d > 0 ? static_cast<UINT>(d) : kDesignDpi;
  }();
  return dpi;
}

UINT DpiForWindow(HWND hwnd) {
  static const auto forWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (forWindow && hwnd) {
    if (UINT dpi = forWindow(hwnd)) return dpi;
  }
  // Windows 8.1: the monitor's dpi (the system's unless the program is per-monitor aware).
  static const auto forMonitor = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  if (forMonitor && hwnd) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y)
      return y;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto forDpi =
      SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, dpi);
  // Older systems give the metrics for the system's dpi only.
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto forDpi =
      SystemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (forDpi && forDpi(&rect, style, FALSE, exStyle, dpi)) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
