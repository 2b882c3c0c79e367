#include "toolkit/ImageList.h"

#include <vector>

namespace {

constexpr UINT kFlags = ILC_COLOR32 | ILC_MASK;
constexpr int kInitial = 4, kGrow = 256;

UniqueBitmap blackSquare(int size) {
  ScreenDC screen;
  UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), size, size));
  {
    MemoryDC dc(screen.get(), bmp.get());
    RECT r{0, 0, size, size};
    FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return bmp;
}

// A monochrome mask of zeros: every pixel of the image is shown.
UniqueBitmap opaqueMask(int size) {
  // Rows of whole 16-bit words, as monochrome bitmaps are laid out.
  std::vector<WORD> zeros(static_cast<size_t>((size + 15) / 16 * size));
  return UniqueBitmap(CreateBitmap(size, size, 1, 1, zeros.data()));
}

}  // namespace

TImageList::TImageList() : list_(ImageList_Create(kDesignSize, kDesignSize, kFlags, kInitial, kGrow)) {}

void TImageList::makeBlank() {
  // Made when first needed: a list whose rows all have icons (or none) never needs it.
  if (blank_) return;
  blank_ = blackSquare(size_);
  blankMask_ = opaqueMask(size_);
}

void TImageList::SetImageSize(int size) {
  if (size == size_ || size <= 0) return;
  const int n = Count();
  std::vector<UniqueIcon> held;
  held.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) held.push_back(GetIcon(i));
  // Same list, so that whoever shows it keeps its handle; setting the size empties it.
  ImageList_SetIconSize(list_.get(), size, size);
  size_ = size;
  blank_.reset();
  blankMask_.reset();
  for (const UniqueIcon& icon : held) append(icon.get());
}

int TImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

bool TImageList::Reserve(int count) {
  if (count <= kInitial || Count() != 0) return false;
  HIMAGELIST roomy = ImageList_Create(size_, size_, kFlags, count, kGrow);
  if (!roomy) return false;
  list_.reset(roomy);
  return true;
}

void TImageList::append(HICON icon) {
  if (icon) {
    ImageList_ReplaceIcon(list_.get(), -1, icon);  // scales to the list's size
  } else {
    makeBlank();
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
    makeBlank();
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
