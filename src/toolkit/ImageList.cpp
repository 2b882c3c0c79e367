#include "toolkit/ImageList.h"

#include <vector>

namespace {

constexpr int kSize = 16;

UniqueBitmap blackSquare() {
  ScreenDC screen;
  UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), kSize, kSize));
  {
    MemoryDC dc(screen.get(), bmp.get());
    RECT r{0, 0, kSize, kSize};
    FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return bmp;
}

// A monochrome mask of zeros: every pixel of the image is shown.
UniqueBitmap opaqueMask() {
  static const WORD kZeros[kSize] = {};
  return UniqueBitmap(CreateBitmap(kSize, kSize, 1, 1, kZeros));
}

}  // namespace

TImageList::TImageList()
    : list_(ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, 4, 256)),
      blank_(blackSquare()),
      blankMask_(opaqueMask()) {}

int TImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

void TImageList::append(HICON icon) {
  if (icon) {
    ImageList_ReplaceIcon(list_.get(), -1, icon);  // scales to 16 x 16
  } else {
    ImageList_Add(list_.get(), blank_.get(), blankMask_.get());
  }
}

void TImageList::Insert(int index, HICON icon) {
  int n = Count();
  if (index < 0 || index > n) index = n;
  // Images after the slot are taken out and put back behind the new one (copying within the
  // list is not reliable everywhere). Rows are only ever added at the end, where nothing moves.
  std::vector<UniqueIcon> later;
  for (int i = index; i < n; ++i) later.push_back(GetIcon(i));
  for (int i = n - 1; i >= index; --i) ImageList_Remove(list_.get(), i);
  append(icon);
  for (const UniqueIcon& moved : later) append(moved.get());
}

void TImageList::Replace(int index, HICON icon) {
  if (index < 0 || index >= Count()) return;
  if (icon) {
    ImageList_ReplaceIcon(list_.get(), index, icon);
  } else {
    ImageList_Replace(list_.get(), index, blank_.get(), blankMask_.get());
  }
}

void TImageList::Delete(int index) {
  if (index >= 0 && index < Count()) ImageList_Remove(list_.get(), index);
}

UniqueIcon TImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return {};
  return UniqueIcon(ImageList_GetIcon(list_.get(), index, ILD_NORMAL));
}

void TImageList::Clear() { ImageList_RemoveAll(list_.get()); }
