#include <gtest/gtest.h>

#include <vector>

#include "TextPanelScroll.h"

namespace {

using Lines = std::vector<TextPanelScroll::PlacedLine>;

TEST(TextPanelScroll, MovesUpOnePixelPerTickAndBringsTheNextLineAfterALineHeight) {
  TextPanelScroll scroll;
  scroll.paint(5, 13, 41);
  std::vector<int> offsets;
  std::vector<int> firstLines;
  for (int tick = 0; tick < 14; ++tick) {
    scroll.tick(1, 5);
    scroll.paint(5, 13, 41);
    offsets.push_back(scroll.scrollOffset());
    firstLines.push_back(scroll.firstLineIndex());
  }
  EXPECT_EQ(offsets, (std::vector<int>{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12, 0, -1}));
  EXPECT_EQ(firstLines, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
}

TEST(TextPanelScroll, PaintsNPlusOneLinesFromTheLineAfterTheFirstLineIndex) {
  TextPanelScroll scroll;
  // 41 pixels hold 3 lines of 13; the fourth fills the strip a negative offset uncovers. On
  // the first paint the top line is the second string; the first follows the last.
  EXPECT_EQ(scroll.paint(5, 13, 41), (Lines{{1, 0}, {2, 13}, {3, 26}, {4, 39}}));
  for (int i = 0; i < 13 * 3 + 5; ++i) {
    scroll.tick(1, 5);
    scroll.paint(5, 13, 41);
  }
  EXPECT_EQ(scroll.firstLineIndex(), 3);
  EXPECT_EQ(scroll.paint(5, 13, 41), (Lines{{4, -5}, {0, 8}, {1, 21}, {2, 34}}));
  EXPECT_EQ(scroll.firstLineIndex(), 3);  // the paint leaves it as it found it
}

TEST(TextPanelScroll, WithoutLinesNothingIsDrawnAndTheFirstLineStays) {
  TextPanelScroll scroll;
  EXPECT_EQ(scroll.paint(0, 13, 41), Lines{});
  for (int i = 0; i < 40; ++i) {
    scroll.tick(1, 0);
    EXPECT_EQ(scroll.firstLineIndex(), 0);
  }
}

// Before the first paint the line height is 0, so the first tick passes a whole line.
TEST(TextPanelScroll, BeforeTheFirstPaintATickPassesALine) {
  TextPanelScroll scroll;
  scroll.tick(3, 5);
  EXPECT_EQ(scroll.firstLineIndex(), 1);
  EXPECT_EQ(scroll.scrollOffset(), -3);
}

// Fewer lines than fit repeat within one paint, one under the other; a panel lower than one
// line draws one line.
TEST(TextPanelScroll, LinesRepeatUntilThePanelIsFilled) {
  struct Case {
    int lines;
    int panelHeight;
    Lines drawn;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1, 30, {{0, 0}, {0, 10}, {0, 20}, {0, 30}}},
           {2, 30, {{1, 0}, {0, 10}, {1, 20}, {0, 30}}},
           {5, 9, {{1, 0}}},
       }) {
    TextPanelScroll scroll;
    EXPECT_EQ(scroll.paint(c.lines, 10, c.panelHeight), c.drawn) << c.lines << " lines";
  }
}

TEST(TextPanelScroll, StepSizeZeroKeepsTheTextStill) {
  TextPanelScroll scroll;
  scroll.paint(5, 13, 41);
  for (int i = 0; i < 30; ++i) {
    scroll.tick(0, 5);
  }
  EXPECT_EQ(scroll.scrollOffset(), 0);
  EXPECT_EQ(scroll.firstLineIndex(), 0);
}

}  // namespace
