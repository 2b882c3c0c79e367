#pragma once
// Reading one slot of an image list, or its image size, as the list stores it, or what the screen
// shows of a window, for tests that compare icons.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "win/Handles.h"

namespace wintest {

// One slot: colour bits (without alpha), then the mask bits; read from the list's bitmaps rather
// than drawn, so that per-image drawing flags play no part.
struct ImageSlot {
  std::vector<uint32_t> colour, mask;
  bool operator==(const ImageSlot&) const = default;
};

// The pixels of `r` in `bmp`, row by row, without alpha.
inline std::vector<uint32_t> BitmapPixels(HBITMAP bmp, const RECT& r) {
  BITMAP bm{};
  GetObjectW(bmp, sizeof bm, &bm);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> all(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  ScreenDC screen;
  GetDIBits(screen.get(), bmp, 0, bm.bmHeight, all.data(), &bi, DIB_RGB_COLORS);
  std::vector<uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      out.push_back(all[static_cast<size_t>(y) * bm.bmWidth + x] & 0xFFFFFF);
  return out;
}

// What the screen shows of `r`, a rectangle of the client area of `w` (a window of any process).
inline std::vector<uint32_t> ScreenPixels(HWND w, RECT r) {
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  ScreenDC screen;
  UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), r.right - r.left, r.bottom - r.top));
  {
    MemoryDC copy(screen.get(), bmp.get());
    BitBlt(copy.get(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
  }
  return BitmapPixels(bmp.get(), {0, 0, r.right - r.left, r.bottom - r.top});
}

// Slot `index` of `list`; empty when there is none.
inline ImageSlot ReadImageSlot(HIMAGELIST list, int index) {
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(list, index, &info)) return {};
  return {BitmapPixels(info.hbmImage, info.rcImage),
          info.hbmMask ? BitmapPixels(info.hbmMask, info.rcImage) : std::vector<uint32_t>{}};
}

// The width and height of the images of `list`, as the list holds them.
inline std::pair<int, int> ImageSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  return {cx, cy};
}

}  // namespace wintest
