#pragma once

#include <cstdint>
#include <vector>

// The motion of a scrolling text panel, apart from its drawing: which line stands at the top,
// how far the lines have moved up, and which lines one paint draws where.
class TextPanelScroll {
 public:
  // One line of a paint: the index into the lines and the top of its line rectangle.
  struct PlacedLine {
    int item;
    int top;
    bool operator==(const PlacedLine&) const = default;
  };

  // One tick of the timer (the panel being visible): the lines move up by `stepSize`; once
  // they have moved by a whole line height, the next line comes to the top.
  void tick(int stepSize, int itemCount);

  // The lines of one paint of a panel `outerHeight` pixels high, whose line height has just
  // been measured: n + 1 lines (n lines fit into the height), from the line after the first
  // line index, starting again at the first line after the last. Draws nothing without lines.
  std::vector<PlacedLine> paint(int itemCount, int lineHeight, int outerHeight);

  int firstLineIndex() const { return firstLineIndex_; }
  int scrollOffset() const { return scrollOffset_; }
  int lineHeight() const { return lineHeight_; }

 private:
  std::int32_t firstLineIndex_ = 0;
  std::int32_t scrollOffset_ = 0;
  std::int32_t savedFirstLineIndex_ = 0;
  std::int32_t lineHeight_ = 0;
};
