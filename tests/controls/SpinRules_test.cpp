// The spin field's rules without a window: limits, reading, steps, the character filter, layout
// and the arrow images.
#include "controls/SpinRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using namespace spinrules;

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

TEST(SpinRulesClamp, HoldsValuesWithinTheLimits) {
  struct Case {
    int32_t v, min, max, expected;
  } cases[] = {
      {0, 1, 60, 1},
      {99, 1, 60, 60},
      {-3, 1, 60, 1},
      {5, 1, 60, 5},
      {1, 1, 60, 1},
      {60, 1, 60, 60},
      {-10, -20, -5, -10},
      {-30, -20, -5, -20},
      {kMin32, 1, 60, 1},
      {kMax32, 1, 60, 60},
      // Equal limits are no limits at all, negative values and 32-bit extremes included.
      {-7, 0, 0, -7},
      {kMin32, 0, 0, kMin32},
      {kMax32, 5, 5, kMax32},
      {3, 5, 5, 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Clamp(c.v, c.min, c.max), c.expected) << c.v << " in " << c.min << ".." << c.max;
}

TEST(SpinRulesClamp, ComparesSigned) {
  // Limits spanning zero: a large positive is above, a negative below.
  EXPECT_EQ(Clamp(-1, 0, 10), 0);
  EXPECT_EQ(Clamp(kMin32, -1, 1), -1);
}

TEST(SpinRulesReadValue, ReadsTheTextUnclampedAndFallsBackToTheLowerLimit) {
  struct Case {
    const char* text;
    int32_t expected;
  } cases[] = {
      {"99", 99},        {"5", 5},
      {"$10", 16},       {"0x1F", 31},
      {"-3", -3},        {"  7", 7},
      {"", 1},           {"1,5", 1},
      {"1.5", 1},        {"abc", 1},
      {"5 ", 1},         {"+", 1},
      {"2147483648", 1}, {"-2147483648", kMin32},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadValue(c.text, 1), c.expected) << '"' << c.text << '"';
}

TEST(SpinRulesStep, AddsThenClamps) {
  EXPECT_EQ(Step(60, 1, 1, 60), 60);
  EXPECT_EQ(Step(1, -1, 1, 60), 1);
  EXPECT_EQ(Step(1, 1, 1, 60), 2);  // an empty text reads 1, so a step up gives 2
  EXPECT_EQ(Step(5, 10, 1, 60), 15);
  EXPECT_EQ(Step(99, -1, 1, 60), 60);
}

TEST(SpinRulesStep, ASumBeyondThe32BitRangeIsHeldBeforeTheClamp) {
  EXPECT_EQ(Step(kMax32, 1, 0, 0), kMax32);
  EXPECT_EQ(Step(kMin32, -1, 0, 0), kMin32);
  EXPECT_EQ(Step(kMax32, 1, 1, 60), 60);
  EXPECT_EQ(Step(kMin32, -static_cast<int64_t>(kMin32), 0, 0), 0);
}

TEST(SpinRulesFilter, FollowsTheTable) {
  struct Case {
    char32_t key;
    bool editorEnabled;
    bool expected;
  } cases[] = {
      {U'0', true, true},
      {U'9', true, true},
      {U'+', true, true},
      {U'-', true, true},
      {U',', true, true},   // the decimal separator given below
      {U'.', true, false},  // not the separator here
      {U'a', true, false},
      {U' ', true, false},
      {U'$', true, false},
      {U'x', true, false},
      {13, true, false},  // carriage return
      {8, true, true},
      {1, true, true},
      {22, true, true},
      {27, true, true},
      {31, true, true},
      {127, true, false},
      {U'\u0105', true, false},
      // With the editor disabled nothing printable and no backspace.
      {U'5', false, false},
      {U'-', false, false},
      {U',', false, false},
      {8, false, false},
      {13, false, false},
      {22, false, true},
      {3, false, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsValidChar(c.key, U',', c.editorEnabled), c.expected)
        << "key " << static_cast<uint32_t>(c.key) << (c.editorEnabled ? "" : " (editor disabled)");
}

TEST(SpinRulesFilter, TheFullStopStandsInForAMissingSeparator) {
  EXPECT_EQ(DecimalSeparatorOrDefault(U""), U'.');
  EXPECT_EQ(DecimalSeparatorOrDefault(U","), U',');
  EXPECT_TRUE(IsValidChar(U'.', DecimalSeparatorOrDefault(U""), true));
}

TEST(SpinRulesLayout, PlacesThePairAtTheRightEdge) {
  // The main window's field: 60 x 22 with three-dimensional borders.
  EXPECT_EQ(PairBounds(60, 22, 15, true), (Rect{40, 0, 15, 17}));
  EXPECT_EQ(PairBounds(60, 22, 15, false), (Rect{45, 1, 15, 19}));
  EXPECT_EQ(TextArea(56, 18, 15), (Edges{0, 0, 39, 19}));
}

TEST(SpinRulesLayout, SplitsThePairIntoTwoOverlappingArrows) {
  ArrowBounds odd = ArrowLayout(15, 17);
  EXPECT_EQ(odd.up, (Rect{0, 0, 15, 8}));
  EXPECT_EQ(odd.down, (Rect{0, 7, 15, 10}));
  ArrowBounds even = ArrowLayout(15, 20);
  EXPECT_EQ(even.up, (Rect{0, 0, 15, 10}));
  EXPECT_EQ(even.down, (Rect{0, 9, 15, 11}));
}

TEST(SpinRulesLayout, MinimumHeight) {
  // Tahoma 8 pt (13) beside a 16-high system font, one-pixel borders: 13 + 3 + 4 + 2.
  EXPECT_EQ(MinHeight(13, 16, 1), 22);
  // The quarter is of the smaller text height.
  EXPECT_EQ(MinHeight(20, 16, 1), 20 + 4 + 4 + 2);
  EXPECT_EQ(MinHeight(13, 16, 2), 13 + 3 + 8 + 2);
}

int blackInRow(const Glyph& g, int row, int* first) {
  int n = 0;
  *first = -1;
  for (int col = 0; col < kGlyphWidth; ++col) {
    if (g[row][col] == GlyphPixel::Black) {
      if (*first < 0) *first = col;
      ++n;
    }
  }
  return n;
}

TEST(SpinRulesGlyph, ATriangleOfOneThreeFiveSevenCentredOnOlive) {
  const int upWidths[kGlyphHeight] = {0, 0, 1, 3, 5, 7};
  const int downWidths[kGlyphHeight] = {0, 0, 7, 5, 3, 1};
  for (bool up : {true, false}) {
    Glyph g = ArrowGlyph(up);
    for (int row = 0; row < kGlyphHeight; ++row) {
      int first = 0;
      const int expected = up ? upWidths[row] : downWidths[row];
      EXPECT_EQ(blackInRow(g, row, &first), expected) << (up ? "up" : "down") << " row " << row;
      if (expected > 0) {
        EXPECT_EQ(first, (kGlyphWidth - expected) / 2) << "row " << row << " is not centred";
      }
    }
    // The lower-left pixel gives the transparent colour, so it must be the background.
    EXPECT_EQ(g[kGlyphHeight - 1][0], GlyphPixel::Olive);
  }
}

// At 125 %, 150 % and 200 % the image is 9 x 6 scaled, and the triangle in it too: rows growing
// by two pixels from the apex (one pixel wide in an image of odd width, two in an even one),
// centred, clear of the image's sides so that the lower-left pixel stays the background.
TEST(SpinRulesGlyph, ScaledWithTheDisplay) {
  struct Case {
    int dpi, width, height, upFirstRow, downFirstRow, rows;
  };
  for (const Case& c : {Case{120, 11, 8, 3, 2, 5}, Case{144, 14, 9, 4, 3, 5}, Case{192, 18, 12, 5, 4, 7}}) {
    for (bool up : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.dpi << (up ? " up" : " down"));
      Glyph g = ArrowGlyph(up, c.dpi);
      ASSERT_EQ(g.width, c.width);
      ASSERT_EQ(g.height, c.height);
      const int firstRow = up ? c.upFirstRow : c.downFirstRow;
      const int apex = c.width % 2 ? 1 : 2;
      for (int row = 0; row < c.height; ++row) {
        int n = 0, first = -1;
        for (int col = 0; col < g.width; ++col) {
          if (g[row][col] != GlyphPixel::Black) continue;
          if (first < 0) first = col;
          ++n;
        }
        const int fromTop = row - firstRow;
        const int step = up ? fromTop : c.rows - 1 - fromTop;
        const int expected = fromTop < 0 || fromTop >= c.rows ? 0 : 2 * step + apex;
        EXPECT_EQ(n, expected) << "row " << row;
        if (expected > 0) {
          EXPECT_EQ(first, (g.width - expected) / 2) << "row " << row;
        }
      }
      EXPECT_EQ(g[c.height - 1][0], GlyphPixel::Olive);
    }
  }
}

}  // namespace
