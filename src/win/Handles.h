#pragma once
// Owners for the Windows objects the program creates or opens, and holders of device contexts
// and of objects selected into them. Window handles are not owned here: a window is destroyed by
// the form that holds it.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <utility>

template <typename H, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::invalid()));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::invalid(); }
  H release() { return std::exchange(h_, Traits::invalid()); }
  void reset(H h = Traits::invalid()) {
    if (h_ != Traits::invalid()) Traits::close(h_);
    h_ = h;
  }
  // Closes now. False when the system says closing failed: for a file just written, its data may
  // not all have reached it.
  bool close() { return h_ == Traits::invalid() || Traits::close(std::exchange(h_, Traits::invalid())); }

 private:
  H h_ = Traits::invalid();
};

struct FontTraits {
  static HFONT invalid() { return nullptr; }
  static bool close(HFONT h) { return DeleteObject(h) != FALSE; }
};
struct IconTraits {
  static HICON invalid() { return nullptr; }
  static bool close(HICON h) { return DestroyIcon(h) != FALSE; }
};
struct ImageListTraits {
  static HIMAGELIST invalid() { return nullptr; }
  static bool close(HIMAGELIST h) { return ImageList_Destroy(h) != FALSE; }
};
struct KernelHandleTraits {
  static HANDLE invalid() { return nullptr; }
  static bool close(HANDLE h) { return CloseHandle(h) != FALSE; }
};
struct FileHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static bool close(HANDLE h) { return CloseHandle(h) != FALSE; }
};
struct RegKeyTraits {
  static HKEY invalid() { return nullptr; }
  static bool close(HKEY h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
struct BitmapTraits {
  static HBITMAP invalid() { return nullptr; }
  static bool close(HBITMAP h) { return DeleteObject(h) != FALSE; }
};

struct FindHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static bool close(HANDLE h) { return FindClose(h) != FALSE; }
};
struct FileViewTraits {
  static const void* invalid() { return nullptr; }
  static bool close(const void* view) { return UnmapViewOfFile(view) != FALSE; }
};
struct ThemeTraits {
  static HTHEME invalid() { return nullptr; }
  static bool close(HTHEME h) { return SUCCEEDED(CloseThemeData(h)); }
};
struct MenuTraits {
  static HMENU invalid() { return nullptr; }
  static bool close(HMENU h) { return DestroyMenu(h) != FALSE; }
};
struct DCTraits {
  static HDC invalid() { return nullptr; }
  static bool close(HDC h) { return DeleteDC(h) != FALSE; }
};

using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using UniqueFileView = UniqueHandle<const void*, FileViewTraits>;  // a view of a file mapping
using UniqueTheme = UniqueHandle<HTHEME, ThemeTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, BitmapTraits>;
using UniqueDC = UniqueHandle<HDC, DCTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

// A device context of the screen, released with the holder.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The device context a window paints with in WM_PAINT, begun and ended with the holder.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context for the holder's lifetime; the one it replaced is
// selected again at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory device context with one object selected into it for its lifetime.
class MemoryDC {
 public:
  MemoryDC(HDC compatible, HGDIOBJ object)
      : dc_(CreateCompatibleDC(compatible)), selected_(dc_.get(), object) {}
  HDC get() const { return dc_.get(); }

 private:
  UniqueDC dc_;              // deleted last,
  SelectedObject selected_;  // after the object it held is put back
};
