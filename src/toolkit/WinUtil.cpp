#include "toolkit/WinUtil.h"

bool RegisterWindowClass(const wchar_t* className, WNDPROC proc, UINT style, const wchar_t* iconName) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (iconName) {
    // Both sizes from the resource's own images: left to make the small one, the system would
    // shrink a copy of the large one, which costs three times as much at start-up.
    auto load = [&](int width, int height) {
      return static_cast<HICON>(LoadImageW(wc.hInstance, iconName, IMAGE_ICON, GetSystemMetrics(width),
                                           GetSystemMetrics(height), LR_SHARED));
    };
    wc.hIcon = load(SM_CXICON, SM_CYICON);
    wc.hIconSm = load(SM_CXSMICON, SM_CYSMICON);
  }
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

RECT ChildBounds(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

UniqueFont CreateFormFont(UINT dpi) {
  return UniqueFont(CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
}
