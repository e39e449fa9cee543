#include "TextPanelScroll.h"

#include <cstdlib>

void TextPanelScroll::tick(int stepSize, int itemCount) {
  scrollOffset_ -= stepSize;
  if (std::abs(scrollOffset_) >= lineHeight_) {
    scrollOffset_ += lineHeight_;
    firstLineIndex_ = itemCount > 0 ? (savedFirstLineIndex_ + 1) % itemCount : 0;
  }
}

std::vector<TextPanelScroll::PlacedLine> TextPanelScroll::paint(int itemCount, int lineHeight,
                                                                int outerHeight) {
  lineHeight_ = lineHeight;
  std::vector<PlacedLine> lines;
  if (itemCount == 0) {
    return lines;
  }
  const int fitting = lineHeight > 0 ? outerHeight / lineHeight : 0;
  savedFirstLineIndex_ = firstLineIndex_;
  int top = scrollOffset_;
  for (int i = 1; i <= fitting + 1; ++i) {
    if (firstLineIndex_ + i >= itemCount) {
      firstLineIndex_ = -i;
    }
    lines.push_back({firstLineIndex_ + i, top});
    top += lineHeight;
  }
  firstLineIndex_ = savedFirstLineIndex_;
  return lines;
}
