#pragma once
// A list of square images, 16 x 16 at 96 dpi, owned. Slots can be inserted, replaced and
// deleted; a slot without an icon holds the blank image (a black square).
#include <windows.h>
#include <commctrl.h>

#include "win/Handles.h"

class TImageList {
 public:
  static constexpr int kDesignSize = 16;

  TImageList();
  HIMAGELIST Handle() const { return list_.get(); }
  int Count() const;
  // Gives every image the new size: each is scaled from the one held, slots keep their places.
  void SetImageSize(int size);
  // Inserts a copy of `icon` (or the blank image when null) at `index`; later images move up.
  void Insert(int index, HICON icon);
  // Replaces the image at `index` with a copy of `icon` (or the blank image when null).
  void Replace(int index, HICON icon);
  void Delete(int index);
  // A copy of the image at `index` as an icon (empty outside the list).
  UniqueIcon GetIcon(int index) const;
  // Makes room for `count` images at once while the list is empty, so that filling it does not
  // grow it step by step. The list is then a new one, which the views showing it must be given
  // again; returns whether that happened.
  bool Reserve(int count);

 private:
  void append(HICON icon);
  void makeBlank();
  int size_ = kDesignSize;
  UniqueImageList list_;
  UniqueBitmap blank_;      // the blank image, made when first needed
  UniqueBitmap blankMask_;  // its mask: nothing transparent
};
