#pragma once
// The rules of the numeric spin field that need no window: limits, reading the value from the
// text, stepping, the character filter, where the arrows go and what they show. The field keeps
// no number of its own; its value is its text.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace spinrules {

// v held within [minValue, maxValue]; equal limits mean no limits at all.
int32_t Clamp(int32_t v, int32_t minValue, int32_t maxValue);

// The text read by the strict integer conversion, minValue when it does not convert. Not clamped:
// a text of 99 reads 99 whatever the limits.
int32_t ReadValue(std::string_view text, int32_t minValue) noexcept;

// value + delta, held to the 32-bit range before the clamp rule, so that a step from a number at
// the 32-bit limits (possible while such a number stands in the text) cannot overflow.
int32_t Step(int32_t value, int64_t delta, int32_t minValue, int32_t maxValue);

// Whether a typed character may reach the text: signs, digits, the decimal separator and control
// characters except carriage return; with the editor disabled, no printable character and no
// backspace either.
bool IsValidChar(char32_t key, char32_t decimalSeparator, bool editorEnabled);

// The locale's decimal separator, or the full stop when the locale gives none.
char32_t DecimalSeparatorOrDefault(std::u32string_view localeSeparator);

struct Rect {
  int left, top, width, height;
  friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr int kPairMinWidth = 15;

// The arrow pair inside the field: at its right edge, inset for three-dimensional borders.
Rect PairBounds(int fieldWidth, int fieldHeight, int pairWidth, bool ctl3d);

// The two arrows inside the pair: the up arrow the upper half, the down arrow from one pixel
// above the up arrow's lower edge to the bottom.
struct ArrowBounds {
  Rect up, down;
};
ArrowBounds ArrowLayout(int pairWidth, int pairHeight);

// The text area, as left, top, right, bottom inside the field's client area: clear of the pair.
struct Edges {
  int left, top, right, bottom;
  friend bool operator==(const Edges&, const Edges&) = default;
};
Edges TextArea(int clientWidth, int clientHeight, int pairWidth);

// The lowest the field may be for its font.
int MinHeight(int fontTextHeight, int systemFontTextHeight, int borderHeight);

// The arrow images: 9 x 6 at 96 dpi, a black triangle on olive in rows 2 to 5, the olive drawn
// transparent. At another dpi the image and its triangle are scaled by dpi / 96.
constexpr int kGlyphWidth = 9;
constexpr int kGlyphHeight = 6;
enum class GlyphPixel : uint8_t { Olive, Black };
struct Glyph {
  int width = 0, height = 0;
  std::vector<GlyphPixel> pixels;  // row by row
  const GlyphPixel* operator[](int row) const { return pixels.data() + static_cast<size_t>(row) * width; }
};
Glyph ArrowGlyph(bool up, int dpi = 96);

}  // namespace spinrules
