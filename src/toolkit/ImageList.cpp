#include "toolkit/ImageList.h"

namespace {

constexpr int kSize = 16;

UniqueBitmap blackSquare() {
  HDC screen = GetDC(nullptr);
  UniqueBitmap bmp(CreateCompatibleBitmap(screen, kSize, kSize));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp.get());
  RECT r{0, 0, kSize, kSize};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

}  // namespace

TImageList::TImageList()
    : list_(ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, 4, 256)), blank_(blackSquare()) {}

int TImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

void TImageList::append(HICON icon) {
  if (icon) {
    ImageList_ReplaceIcon(list_.get(), -1, icon);  // scales to 16 x 16
  } else {
    ImageList_Add(list_.get(), blank_.get(), nullptr);
  }
}

void TImageList::Insert(int index, HICON icon) {
  int n = Count();
  if (index < 0 || index > n) index = n;
  append(icon);
  // Move the new image down to its slot; the ones in between move up by one.
  for (int i = n; i > index; --i) ImageList_Copy(list_.get(), i, list_.get(), i - 1, ILCF_SWAP);
}

void TImageList::Replace(int index, HICON icon) {
  if (index < 0 || index >= Count()) return;
  if (icon) {
    ImageList_ReplaceIcon(list_.get(), index, icon);
  } else {
    ImageList_Replace(list_.get(), index, blank_.get(), nullptr);
  }
}

void TImageList::Delete(int index) {
  if (index >= 0 && index < Count()) ImageList_Remove(list_.get(), index);
}

void TImageList::Clear() { ImageList_RemoveAll(list_.get()); }
