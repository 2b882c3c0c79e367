#include "controls/SpinRules.h"

#include <algorithm>
#include <limits>

#include "base/IntText.h"

namespace spinrules {

int32_t Clamp(int32_t v, int32_t minValue, int32_t maxValue) {
  if (minValue == maxValue) return v;
  if (v < minValue) return minValue;
  if (v > maxValue) return maxValue;
  return v;
}

int32_t ReadValue(std::string_view text, int32_t minValue) noexcept {
  try {
    return StrToInt(text);
  } catch (...) {
    // Any failure on the way reads as the lower limit; the error goes no further.
    return minValue;
  }
}

int32_t Step(int32_t value, int64_t delta, int32_t minValue, int32_t maxValue) {
  const int64_t sum = static_cast<int64_t>(value) + delta;
  const auto held = static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  return Clamp(held, minValue, maxValue);
}

bool IsValidChar(char32_t key, char32_t decimalSeparator, bool editorEnabled) {
  constexpr char32_t kBackspace = 8;
  constexpr char32_t kCarriageReturn = 13;
  bool valid = key == U'+' || key == U'-' || (key >= U'0' && key <= U'9') || key == decimalSeparator ||
               (key < 32 && key != kCarriageReturn);
  if (!editorEnabled && (key >= 32 || key == kBackspace)) valid = false;
  return valid;
}

char32_t DecimalSeparatorOrDefault(std::u32string_view localeSeparator) {
  return localeSeparator.empty() || localeSeparator.front() == 0 ? U'.' : localeSeparator.front();
}

Rect PairBounds(int fieldWidth, int fieldHeight, int pairWidth, bool ctl3d) {
  if (ctl3d) return {fieldWidth - pairWidth - 5, 0, pairWidth, fieldHeight - 5};
  return {fieldWidth - pairWidth, 1, pairWidth, fieldHeight - 3};
}

ArrowBounds ArrowLayout(int pairWidth, int pairHeight) {
  const int upHeight = pairHeight / 2;
  const int downTop = upHeight - 1;
  return {{0, 0, pairWidth, upHeight}, {0, downTop, pairWidth, pairHeight - downTop}};
}

Edges TextArea(int clientWidth, int clientHeight, int pairWidth) {
  return {0, 0, clientWidth - pairWidth - 2, clientHeight + 1};
}

int MinHeight(int fontTextHeight, int systemFontTextHeight, int borderHeight) {
  return fontTextHeight + std::min(systemFontTextHeight, fontTextHeight) / 4 + borderHeight * 4 + 2;
}

Glyph ArrowGlyph(bool up, int dpi) {
  // At 96 dpi rows 2 to 5 hold 1, 3, 5, 7 pixels (apex up), or 7, 5, 3, 1 (apex down), centred:
  // the pixels whose centres c lie in rows 2 to 6 of the image and within a half-width of
  // c.y - 2.5 (apex up) or 5.5 - c.y (apex down) of the middle. At another dpi the same triangle
  // is scaled by s = dpi / 96 and centred in the scaled image; it stays clear of the image's sides,
  // so that the lower-left pixel is the background. With u = 2y + 1 and v = 2x + 1 - width (twice
  // the pixel centre's offsets, in pixels of the scaled image), a pixel is black when
  // |v| <= u - 5s and u <= 12s (apex up), or |v| <= 11s - u and u >= 4s (apex down); times 96
  // this is whole numbers only.
  Glyph g;
  g.width = static_cast<int>((static_cast<int64_t>(kGlyphWidth) * dpi + 48) / 96);
  g.height = static_cast<int>((static_cast<int64_t>(kGlyphHeight) * dpi + 48) / 96);
  g.pixels.assign(static_cast<size_t>(g.width) * g.height, GlyphPixel::Olive);
  for (int y = 0; y < g.height; ++y) {
    const int64_t u = (2LL * y + 1) * 96;
    if (up ? u > 12LL * dpi : u < 4LL * dpi) continue;
    const int64_t halfWidth = up ? u - 5LL * dpi : 11LL * dpi - u;
    if (halfWidth < 0) continue;
    for (int x = 0; x < g.width; ++x) {
      const int64_t v = (2LL * x + 1 - g.width) * 96;
      if (v <= halfWidth && -v <= halfWidth)
        g.pixels[static_cast<size_t>(y) * g.width + x] = GlyphPixel::Black;
    }
  }
  return g;
}

}  // namespace spinrules
